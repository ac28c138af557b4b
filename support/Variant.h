#pragma once
// Variant: a value tagged with its OLE Automation type code, as the registry key reads and
// writes it: empty, 16/32-bit integers, floats, currency, dates, strings, Booleans, bytes, and
// string arrays (the names a key enumerates).
#include <cstdint>
#include <string>
#include <vector>

struct Variant {
    enum : int32_t {
        vtEmpty = 0, vtI2 = 2, vtI4 = 3, vtR4 = 4, vtR8 = 5, vtCY = 6, vtDate = 7, vtBSTR = 8,
        vtObject = 9, vtBool = 11, vtUI1 = 17, vtArray = 0x2000,
    };

    int32_t VarType = vtEmpty;
    int64_t Int = 0;    // vtI2, vtI4, vtUI1, vtBool (true = -1), vtCY (scaled by 10,000)
    double Real = 0;    // vtR4 (exactly the float), vtR8, vtDate
    std::wstring Text;  // vtBSTR
    std::vector<std::wstring> Names;  // vtArray | vtBSTR

    bool IsEmpty() const { return VarType == vtEmpty; }

    static Variant I2(int16_t v) { return Of(vtI2, v); }
    static Variant I4(int32_t v) { return Of(vtI4, v); }
    static Variant UI1(uint8_t v) { return Of(vtUI1, v); }
    static Variant Bool(bool v) { return Of(vtBool, v ? -1 : 0); }
    static Variant Currency(int64_t scaled) { return Of(vtCY, scaled); }
    static Variant R4(float v) { return OfReal(vtR4, v); }
    static Variant R8(double v) { return OfReal(vtR8, v); }
    static Variant Date(double v) { return OfReal(vtDate, v); }
    static Variant Str(std::wstring s) {
        Variant r;
        r.VarType = vtBSTR;
        r.Text = std::move(s);
        return r;
    }
    static Variant StrArray(std::vector<std::wstring> names) {
        Variant r;
        r.VarType = vtArray | vtBSTR;
        r.Names = std::move(names);
        return r;
    }

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    static Variant Of(int32_t vt, int64_t v) {
        Variant r;
        r.VarType = vt;
        r.Int = v;
        return r;
    }
    static Variant OfReal(int32_t vt, double v) {
        Variant r;
        r.VarType = vt;
        r.Real = v;
        return r;
    }
};
