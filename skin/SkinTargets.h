#pragma once
// SkinTargets: the windows and controls a skin dresses, reached by the names its tables use.
#include <functional>
#include <map>
#include <string>

#include "forms/Picture.h"
#include "skin/SkinBitmapTable.h"
#include "skin/SkinCaptionTable.h"
#include "skin/SkinSizeTable.h"

namespace mdlSkin {

// The eight pictures of a scroll bar, in the order of Scroll.LoadPicture's arguments.
struct ScrollPictures {
    forms::Picture pTop, pLow, pBG, pMidUp, pMidDown, pMid, pMidTop, pMidLow;
};

// Everything a skin load hands out. Throwing from any member fails the step that called it.
class SkinTargets : public SizeSink, public CaptionSink {
public:
    virtual void SetPicture(const BitmapRow& row, const forms::Picture& picture) = 0;
    virtual void SetScrollPictures(const std::string& target, const ScrollPictures& pictures) = 0;
    virtual void Call(const std::string& action) = 0;
};

// SkinTargets as a table of entries, one per target name; a name without an entry is passed
// over, so windows that do not exist yet simply take nothing.
class SkinTargetTable : public SkinTargets {
public:
    struct Geometry {
        std::function<void(SizeProp, double)> set;
        std::function<double(SizeProp)> get;
    };
    void AddPicture(const std::string& target, std::function<void(const forms::Picture&)> apply);
    void AddScroll(const std::string& target, std::function<void(const ScrollPictures&)> apply);
    void AddCall(const std::string& action, std::function<void()> run);
    void AddCaption(const std::string& target, std::function<void(const std::wstring&)> apply);
    void AddGeometry(const std::string& target, Geometry geometry);

    void SetPicture(const BitmapRow& row, const forms::Picture& picture) override;
    void SetScrollPictures(const std::string& target, const ScrollPictures& pictures) override;
    void Call(const std::string& action) override;
    void SetCaption(const std::string& target, const std::string& ansiText) override;
    void Set(const std::string& target, SizeProp prop, double value) override;
    double Get(const std::string& target, SizeProp prop) override;

private:
    std::map<std::string, std::function<void(const forms::Picture&)>> pictures_;
    std::map<std::string, std::function<void(const ScrollPictures&)>> scrolls_;
    std::map<std::string, std::function<void()>> calls_;
    std::map<std::string, std::function<void(const std::wstring&)>> captions_;
    std::map<std::string, Geometry> geometry_;
};

}  // namespace mdlSkin
