#include "sim/FrameDump.h"

#include "app/Application.h"
#include "app/SceneMgr.h"

int CurrentSceneId(const Application& app) {
    if (!app.sceneMgr || !app.sceneMgr->GetCurrent()) return 0;
    return app.sceneMgr->GetCurrent()->GetSceneId();
}

std::string DumpFrame(int frame, const Application& app) {
    std::string json = "{\"frame\":" + std::to_string(frame);
    json += ",\"scene\":" + std::to_string(CurrentSceneId(app));
    json += ",\"stageSelect\":" + std::to_string(app.stageSelect);
    json += ",\"quit\":" + std::string(app.quitRequested ? "1" : "0");
    json += "}";
    return json;
}
