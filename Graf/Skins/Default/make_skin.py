#!/usr/bin/env python3
"""Writes the "Default" skin folder (light, blue headers): every bitmap, "Sizes.dat" and "Language.dat".

usage: make_skin.py OUTPUT_FOLDER
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import skinkit  # noqa: E402

if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    skinkit.build(sys.argv[1], skinkit.LIGHT, "Default")
