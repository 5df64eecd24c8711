#include "sim/FrameDump.h"

#include <cmath>
#include <cstdio>

#include "app/Application.h"
#include "app/Mouse.h"
#include "app/SceneMgr.h"
#include "graphics/Camera.h"

namespace {

// Six significant digits, the same text on every run; a value that is not a number reads as null.
std::string Number(float value) {
    if (!std::isfinite(value)) return "null";
    if (value == 0.0f) value = 0.0f;  // no "-0"
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
    return text;
}

std::string Vector(const D3DXVECTOR3& v) {
    std::string text = "[";
    text += Number(v.x);
    text += ',';
    text += Number(v.y);
    text += ',';
    text += Number(v.z);
    text += ']';
    return text;
}

std::string CameraJson(const Camera* camera) {
    if (!camera) return "null";
    std::string text = "{\"pitch\":";
    text += Number(camera->pitch);
    text += ",\"yaw\":";
    text += Number(camera->yaw);
    text += ",\"eye\":";
    text += Vector(camera->eye);
    text += ",\"target\":";
    text += Vector(camera->target);
    text += '}';
    return text;
}

std::string MouseJson(const Mouse& mouse) {
    std::string text = "{\"v\":";
    text += Number(mouse.GetVerticalAngle());
    text += ",\"h\":";
    text += Number(mouse.GetHorizontalAngle());
    text += '}';
    return text;
}

}  // namespace

int CurrentSceneId(const Application& app) {
    if (!app.sceneMgr || !app.sceneMgr->GetCurrent()) return 0;
    return app.sceneMgr->GetCurrent()->GetSceneId();
}

std::string DumpFrame(int frame, const Application& app) {
    std::string json = "{\"frame\":" + std::to_string(frame);
    json += ",\"scene\":" + std::to_string(CurrentSceneId(app));
    json += ",\"stageSelect\":" + std::to_string(app.stageSelect);
    json += ",\"quit\":" + std::string(app.quitRequested ? "1" : "0");
    json += ",\"camera\":" + CameraJson(app.camera);
    json += ",\"mouse\":" + MouseJson(Mouse::GetInstance());
    json += "}";
    return json;
}
