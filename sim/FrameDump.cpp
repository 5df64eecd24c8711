#include "sim/FrameDump.h"

#include <cmath>
#include <cstdio>

#include "app/Application.h"
#include "app/Mouse.h"
#include "app/SceneMgr.h"
#include "graphics/Camera.h"
#include "objects/ObjectFields.h"
#include "objects/ObjectList.h"
#include "scenes/Fade.h"
#include "sound/SoundManager.h"

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

std::string FadeJson(const Fade& fade) {
    return "{\"mode\":" + std::to_string(fade.mode) + ",\"phase\":" + std::to_string(fade.phase) +
           ",\"alpha\":" + std::to_string(fade.alpha) + "}";
}

// An object's own values as further JSON members.
class JsonFields : public ObjectFields {
public:
    explicit JsonFields(std::string& out) : text(out) {}
    void Int(const char* name, int value) override { Member(name, std::to_string(value)); }
    void Float(const char* name, float value) override { Member(name, Number(value)); }
    void Vector(const char* name, const D3DXVECTOR3& value) override { Member(name, ::Vector(value)); }

private:
    void Member(const char* name, const std::string& value) {
        text += ",\"";
        text += name;
        text += "\":";
        text += value;
    }
    std::string& text;
};

// Every object in list order with the fields all objects share.
std::string ObjectsJson() {
    std::string text = "[";
    const std::vector<CharacterBase*>& objects = GetObjectList();
    for (size_t i = 0; i < objects.size(); ++i) {
        const CharacterBase& o = *objects[i];
        if (i) text += ',';
        text += "{\"i\":" + std::to_string(i);
        text += ",\"class\":\"" + std::string(o.ClassName()) + "\"";
        text += ",\"kind\":" + std::to_string(o.kind);
        text += ",\"pos\":" + Vector(D3DXVECTOR3(o.world->_41, o.world->_42, o.world->_43));
        text += ",\"state\":" + std::to_string(o.state);
        text += ",\"dead\":" + std::to_string(o.dead);
        text += ",\"fallSpeed\":" + Number(o.fallSpeed);
        text += ",\"groundKind\":" + std::to_string(o.groundKind);
        JsonFields fields(text);
        o.DumpFields(fields);
        text += '}';
    }
    return text + "]";
}

// The slots playing by the game's clock, in slot order.
std::string SoundJson() {
    std::string text = "[";
    for (const SoundManager::Playing& playing : SoundManager::GetInstance().GetPlaying()) {
        if (text.size() > 1) text += ',';
        text += "{\"slot\":" + std::to_string(playing.slot) + ",\"loop\":" + (playing.looping ? "1" : "0") + "}";
    }
    return text + "]";
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
    json += ",\"fade\":" + FadeJson(Fade::GetInstance());
    if (app.sceneMgr && app.sceneMgr->GetCurrent()) {
        JsonFields fields(json);
        app.sceneMgr->GetCurrent()->DumpFields(fields);
    }
    json += ",\"objects\":" + ObjectsJson();
    json += ",\"sound\":" + SoundJson();
    json += "}";
    return json;
}
