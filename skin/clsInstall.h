#pragma once
// clsInstall: unpacks one skin package through the RAR wrapper and collects what went wrong.
#include <cstdint>
#include <memory>
#include <string>

#include "skin/CRWUnrar.h"

class clsInstall {
public:
    // Messages gathered from the wrapper's events; nothing reads them but Condition.
    std::string Result;

    // Clears Destin of anything already there (never through a link), tests the package, then
    // extracts it below Destin; a package that did not unpack is logged.
    void Go_Instaling(const std::string& Source, const std::string& Destin);
    // 0 none, 1 success, 2 completed with errors, 3 failed.
    uint8_t Condition() const;

private:
    void objRWUnrar_MissingFile(std::string& strFilename, std::string& strNewFilename);
    void objRWUnrar_OpenError(int32_t& lngErrorNo, std::string& strErrorMsg, std::string& strFilename);
    void objRWUnrar_ProcessError(int32_t& lngErrorNo, std::string& strErrorMsg, std::string& strFilename);
    void objRWUnrar_ProcessingFile(std::string& strFilename, double& dblFileSize, SYSTEMTIME& datFileTime,
                                   int16_t& intMajorVer, int16_t& intMinorVer, int32_t& lngPackingMethod,
                                   int32_t& lngFileAttr);
    void objRWUnrar_Progress(double& dblFileSize, double& dblExtracted);

    std::unique_ptr<CRWUnrar> objRWUnrar;
};
