#include "sim/FrameDump.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/Application.h"
#include "app/Mouse.h"
#include "app/SceneMgr.h"
#include "graphics/Camera.h"
#include "objects/ObjectFields.h"
#include "objects/ObjectList.h"
#include "scenes/Fade.h"
#include "sound/SoundManager.h"

namespace {

void Append(std::string& out, int value) {
    char text[16];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    out.append(text, end);
}

// Six significant digits, the same text on every run; a value that is not a number reads as null.
void AppendNumber(std::string& out, float value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    if (value == 0.0f) value = 0.0f;  // no "-0"
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
    out.append(text, static_cast<size_t>(length));
}

void AppendVector(std::string& out, const D3DXVECTOR3& v) {
    out += '[';
    AppendNumber(out, v.x);
    out += ',';
    AppendNumber(out, v.y);
    out += ',';
    AppendNumber(out, v.z);
    out += ']';
}

void AppendCamera(std::string& out, const Camera* camera) {
    if (!camera) {
        out += "null";
        return;
    }
    out += "{\"pitch\":";
    AppendNumber(out, camera->pitch);
    out += ",\"yaw\":";
    AppendNumber(out, camera->yaw);
    out += ",\"eye\":";
    AppendVector(out, camera->eye);
    out += ",\"target\":";
    AppendVector(out, camera->target);
    out += '}';
}

void AppendMouse(std::string& out, const Mouse& mouse) {
    out += "{\"v\":";
    AppendNumber(out, mouse.GetVerticalAngle());
    out += ",\"h\":";
    AppendNumber(out, mouse.GetHorizontalAngle());
    out += '}';
}

void AppendFade(std::string& out, const Fade& fade) {
    out += "{\"mode\":";
    Append(out, fade.mode);
    out += ",\"phase\":";
    Append(out, fade.phase);
    out += ",\"alpha\":";
    Append(out, fade.alpha);
    out += '}';
}

// An object's own values as further JSON members.
class JsonFields : public ObjectFields {
public:
    explicit JsonFields(std::string& out) : text(out) {}
    void Int(const char* name, int value) override { Append(Member(name), value); }
    void Float(const char* name, float value) override { AppendNumber(Member(name), value); }
    void Vector(const char* name, const D3DXVECTOR3& value) override { AppendVector(Member(name), value); }

private:
    std::string& Member(const char* name) {
        text += ",\"";
        text += name;
        text += "\":";
        return text;
    }
    std::string& text;
};

// Every object in list order with the fields all objects share.
void AppendObjects(std::string& out) {
    out += '[';
    const std::vector<CharacterBase*>& objects = GetObjectList();
    for (size_t i = 0; i < objects.size(); ++i) {
        const CharacterBase& o = *objects[i];
        if (i) out += ',';
        out += "{\"i\":";
        Append(out, static_cast<int>(i));
        out += ",\"class\":\"";
        out += o.ClassName();
        out += "\",\"kind\":";
        Append(out, o.kind);
        out += ",\"pos\":";
        AppendVector(out, D3DXVECTOR3(o.world->_41, o.world->_42, o.world->_43));
        out += ",\"state\":";
        Append(out, o.state);
        out += ",\"dead\":";
        Append(out, o.dead);
        out += ",\"fallSpeed\":";
        AppendNumber(out, o.fallSpeed);
        out += ",\"groundKind\":";
        Append(out, o.groundKind);
        JsonFields fields(out);
        o.DumpFields(fields);
        out += '}';
    }
    out += ']';
}

// The slots playing by the game's clock, in slot order.
void AppendSound(std::string& out) {
    thread_local std::vector<SoundManager::Playing> playing;
    SoundManager::GetInstance().GetPlaying(playing);
    out += '[';
    for (size_t i = 0; i < playing.size(); ++i) {
        if (i) out += ',';
        out += "{\"slot\":";
        Append(out, playing[i].slot);
        out += playing[i].looping ? ",\"loop\":1}" : ",\"loop\":0}";
    }
    out += ']';
}

}  // namespace

int CurrentSceneId(const Application& app) {
    if (!app.sceneMgr || !app.sceneMgr->GetCurrent()) return 0;
    return app.sceneMgr->GetCurrent()->GetSceneId();
}

void DumpFrame(int frame, const Application& app, std::string& json) {
    json.clear();
    json += "{\"frame\":";
    Append(json, frame);
    json += ",\"scene\":";
    Append(json, CurrentSceneId(app));
    json += ",\"stageSelect\":";
    Append(json, app.stageSelect);
    json += app.quitRequested ? ",\"quit\":1" : ",\"quit\":0";
    json += ",\"camera\":";
    AppendCamera(json, app.camera);
    json += ",\"mouse\":";
    AppendMouse(json, Mouse::GetInstance());
    json += ",\"fade\":";
    AppendFade(json, Fade::GetInstance());
    if (app.sceneMgr && app.sceneMgr->GetCurrent()) {
        JsonFields fields(json);
        app.sceneMgr->GetCurrent()->DumpFields(fields);
    }
    json += ",\"objects\":";
    AppendObjects(json);
    json += ",\"sound\":";
    AppendSound(json);
    json += '}';
}

std::string DumpFrame(int frame, const Application& app) {
    std::string json;
    DumpFrame(frame, app, json);
    return json;
}
