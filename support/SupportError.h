#pragma once
// SupportError: a numbered error raised by a support class, carrying number, source and text.
#include <cstdint>
#include <stdexcept>
#include <string>

class SupportError : public std::runtime_error {
public:
    // Added to a class's own error number so that callers can tell it from the platform's.
    static constexpr uint32_t kObjectErrorBase = 0x80040000u;
    // "Invalid procedure call or argument": a store the class needed has failed.
    static constexpr int32_t kInvalidCall = 5;

    SupportError(int32_t number, std::string source, std::string description);

    // A class's own error n: number = base Or n (13081 gives -2147208423), source =
    // "<executable name>.WindowProc". Numbers up to 1000 are the platform's and stay unchanged.
    static SupportError Object(int32_t n, const std::string& description);
    // Error 5 with its standard text.
    static SupportError InvalidCall();

    int32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

private:
    int32_t number_;
    std::string source_;
    std::string description_;
};

// The running program's executable name without folder and extension ("Quillmate").
std::string ExecutableName();
