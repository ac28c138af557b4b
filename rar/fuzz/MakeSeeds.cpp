// Writes seed archives for the fuzzer: every header variant our writer can make, in both formats.
#include <cstdio>
#include <fstream>
#include <string>

#include "rar/RarWriter.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::string dir = argv[1];
    int n = 0;
    for (auto format : {qmrar::ArchiveFormat::Rar4, qmrar::ArchiveFormat::Rar5}) {
        for (int variant = 0; variant < 4; ++variant) {
            std::vector<qmrar::WriterEntry> v(4);
            v[0].name = "dir";
            v[0].directory = true;
            v[1].name = "dir/\xe8\xa1\xa8.txt";
            v[1].data.assign(300, 'a');
            v[1].largeFields = v[1].salt = v[1].extTime = variant & 1;
            v[2].name = "packed.bin";
            v[2].data.assign(40, 'b');
            v[2].method = 0x33;
            v[3].name = "secret.bin";
            v[3].data.assign(16, 'c');
            v[3].encrypted = true;
            qmrar::WriterOptions o;
            o.format = format;
            o.comment = variant & 2 ? "comment" : "";
            o.solid = variant & 1;
            o.volumeSize = variant == 3 ? 1100 : 0;
            auto volumes = qmrar::WriteArchive(o, v);
            for (auto& vol : volumes) {
                std::ofstream out(dir + "/seed" + std::to_string(n++) + ".rar", std::ios::binary);
                out.write(reinterpret_cast<const char*>(vol.data()), static_cast<std::streamsize>(vol.size()));
            }
        }
    }
    std::printf("%d seeds\n", n);
    return 0;
}
