#pragma once
// CRWUnrar: lists, tests or extracts every file of a RAR archive through the RAR library and
// reports what happens through its events.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "skin/MRWUnrar.h"

class CRWUnrar {
public:
    // Events, in declaration order. Every argument is passed by reference; the wrapper reads back
    // blnContinue, strNewFilename and strNewPassword.
    std::function<void(int32_t& lngErrorNo, std::string& strErrorMsg, std::string& strFilename)> OpenError;
    std::function<void(int32_t& lngErrorNo, std::string& strErrorMsg, std::string& strFilename)> ProcessError;
    std::function<void(int32_t& lngErrorNo, std::string& strErrorMsg, std::string& strFilename)> CommentError;
    std::function<void(std::string& strFilename, std::string& strComment)> CommentFound;
    std::function<void(std::string& strFilename, double& dblFileSize, SYSTEMTIME& datFileTime, int16_t& intMajorVer,
                       int16_t& intMinorVer, int32_t& lngPackingMethod, int32_t& lngFileAttr)>
        ProcessingFile;
    std::function<void(std::string& strFilename, bool& blnContinue)> NextVolumne;
    std::function<void(std::string& strFilename, std::string& strNewFilename)> MissingFile;
    std::function<void(std::string& strNewPassword)> MissingPassword;
    std::function<void(double& dblFileSize, double& dblExtracted)> Progress;

    double LongToUnsigned(int32_t& Value);
    // arrstrFilenames plays a fixed-size array: its upper bound is size() - 1.
    bool ListRarFiles(const std::string& strRarFile, std::vector<std::string>& arrstrFilenames,
                      const std::string& strPassword = "");
    bool TestRarFiles(const std::string& strRarFile, const std::string& strPassword = "");
    bool ExtractRarFiles(const std::string& strRarFile, const std::string& strDestPath,
                         const std::string& strPassword = "");
    int16_t intProgressSteps() const { return intProgressSteps_; }
    void intProgressSteps(int16_t value) { intProgressSteps_ = value; }
    const std::string& strLastErrorMsg() const { return strLastErrorMsg_; }

private:
    friend int CALLBACK MRWUnrar::RarCallback(UINT, LPARAM, LPARAM, LPARAM);

    void OnProgress(double bytes);
    bool OnNextVolume(const std::string& name);
    std::string OnMissingVolume(const std::string& name);
    std::string OnNeedPassword();

    bool ProcessArchive(const std::string& strRarFile, int mode, std::vector<std::string>* names,
                        const std::string& destPath, const std::string& password);
    void ReportOpenError(int32_t code, const std::string& name);
    void ReportCommentError(int32_t code, const std::string& name);
    void ReportProcessError(int32_t code, const std::string& name);
    void RaiseError(decltype(OpenError)& event, int32_t code, const std::string& text, const std::string& name);

    int16_t intProgressSteps_ = 4;
    std::string strLastErrorMsg_;
    bool passwordUsed_ = false;
    double fileSize_ = 0;
    double processed_ = 0;
    int16_t lastStep_ = 0;
};
