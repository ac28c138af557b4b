#pragma once
// SceneList: the named scenes the screenshot tool can show, one per run. A scene builds and
// shows its windows and returns whatever must stay alive while they are photographed.
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct Scene {
    std::string name;   // also the PNG's file name
    std::string about;  // one line for --list
    std::function<std::shared_ptr<void>()> show;
};

class SceneList {
public:
    void Add(std::string name, std::string about, std::function<std::shared_ptr<void>()> show);
    const Scene* Find(const std::string& name) const;
    const std::vector<Scene>& All() const { return scenes_; }

private:
    std::vector<Scene> scenes_;
};

// One per area, each in tools/screens/Scenes<Area>.cpp.
void AddScenesControls(SceneList& list);
void AddScenesStart(SceneList& list);
void AddScenesTray(SceneList& list);
void AddScenesDialogs(SceneList& list);
void AddScenesMain(SceneList& list);
