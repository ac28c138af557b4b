#include "skin/clsInstall.h"

#include "support/mdlLog.h"
#include "skin/SkinFolder.h"
#include "support/PlainFiles.h"

namespace {
// Whatever is at the destination before unpacking was not unpacked by this run: a folder left by a
// killed run, files someone put there, or links to files and folders elsewhere. It is moved aside
// and deleted there, so nothing is ever unpacked through it. False when the destination could not
// be cleared (it is a link itself, or it cannot be moved): the package is not unpacked through it.
bool ClearStaleDestination(const std::string& destin) {
    const mdlSkin::ClearedFolder cleared = mdlSkin::ClearAway(destin);
    if (cleared.deleted)
        mdlLog::WriteLog(">>> The skin folder " + destin + " held " + std::to_string(cleared.deleted) +
                         " files Quillmate did not unpack; they were deleted.");
    mdlSkin::LogLinksLeft(cleared);
    if (cleared.gone) return true;
    mdlLog::WriteLog(">>> Can't clear the skin folder " + destin + "; no skin is unpacked through it.");
    return false;
}
}  // namespace

void clsInstall::Go_Instaling(const std::string& Source, const std::string& Destin) {
    if (!ClearStaleDestination(Destin)) return;
    objRWUnrar = std::make_unique<CRWUnrar>();
    CRWUnrar& w = *objRWUnrar;
    w.MissingFile = [this](std::string& a, std::string& b) { objRWUnrar_MissingFile(a, b); };
    w.OpenError = [this](int32_t& a, std::string& b, std::string& c) { objRWUnrar_OpenError(a, b, c); };
    w.ProcessError = [this](int32_t& a, std::string& b, std::string& c) { objRWUnrar_ProcessError(a, b, c); };
    w.ProcessingFile = [this](std::string& a, double& b, SYSTEMTIME& c, int16_t& d, int16_t& e, int32_t& f,
                              int32_t& g) { objRWUnrar_ProcessingFile(a, b, c, d, e, f, g); };
    w.Progress = [this](double& a, double& b) { objRWUnrar_Progress(a, b); };
    // Only a package that tests clean is extracted, so a broken one leaves the folder untouched.
    if (w.TestRarFiles(Source, "")) w.ExtractRarFiles(Source, Destin, "");
    objRWUnrar.reset();
    // Nobody reads the collected messages: a package that did not unpack is logged.
    if (Result.empty() && FolderExists(Destin)) return;
    std::string why = Result;
    for (char& c : why)
        if (c == '\r' || c == '\n') c = ' ';
    mdlLog::WriteLog(">>> Skin package " + Source + " could not be unpacked." + why);
}

uint8_t clsInstall::Condition() const {
    uint8_t status = 0;
    if (Result.ends_with(" incorrectly!")) status = 2;
    if (Result.ends_with(" successfully")) status = 1;
    if (Result.ends_with(" is impossible!")) status = 3;
    if (Result.empty()) status = 0;
    return status;
}

void clsInstall::objRWUnrar_MissingFile(std::string&, std::string&) {
    // No new volume name: the wrapper stops the run.
    Result += "\r\nOne or more file in archive is not found, the program can work incorrectly!";
}

void clsInstall::objRWUnrar_OpenError(int32_t&, std::string&, std::string&) {
    Result = "Errors in archive, the further installation is impossible!";
}

void clsInstall::objRWUnrar_ProcessError(int32_t&, std::string&, std::string&) {
    Result += "\r\nThere were errors at installation, the program can work incorrectly!";
}

void clsInstall::objRWUnrar_ProcessingFile(std::string&, double&, SYSTEMTIME&, int16_t&, int16_t&, int32_t&,
                                           int32_t&) {}

void clsInstall::objRWUnrar_Progress(double&, double&) {}
