#include "tools/screens/SceneList.h"

#include <stdexcept>

void SceneList::Add(std::string name, std::string about, std::function<std::shared_ptr<void>()> show) {
    if (Find(name)) throw std::logic_error("two scenes are named " + name);
    scenes_.push_back({std::move(name), std::move(about), std::move(show)});
}

const Scene* SceneList::Find(const std::string& name) const {
    for (const Scene& s : scenes_)
        if (s.name == name) return &s;
    return nullptr;
}
