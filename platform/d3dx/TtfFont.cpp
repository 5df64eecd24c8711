#include "platform/d3dx/TtfFont.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstring>

#include "platform/d3d9/Texture.h"
#include "platform/headless/HeadlessDevice.h"
#include "platform/sys/Fonts.h"
#include "platform/sys/Paths.h"

namespace {

bool InitTtf() {
    static const bool ready = TTF_Init() == 0;
    return ready;
}

}  // namespace

HRESULT D3DXCreateFontA(IDirect3DDevice9* device, int height, UINT width, UINT weight, UINT mipLevels, BOOL italic,
                        DWORD charSet, DWORD outputPrecision, DWORD quality, DWORD pitchAndFamily,
                        const char* faceName, ID3DXFont** font) {
    if (!device || !font) return D3DERR_INVALIDCALL;
    D3DXFONT_DESCA desc{};
    desc.Height = height;
    desc.Width = width;
    desc.Weight = weight;
    desc.MipLevels = mipLevels;
    desc.Italic = italic;
    desc.CharSet = static_cast<uint8_t>(charSet);
    desc.OutputPrecision = static_cast<uint8_t>(outputPrecision);
    desc.Quality = static_cast<uint8_t>(quality);
    desc.PitchAndFamily = static_cast<uint8_t>(pitchAndFamily);
    if (faceName) std::strncpy(desc.FaceName, faceName, sizeof desc.FaceName - 1);
    *font = new TtfFont(device, desc, platform::PrivateFontPath());
    return D3D_OK;
}

TtfFont::TtfFont(IDirect3DDevice9* dev, const D3DXFONT_DESCA& d, const std::string& fontFile) : device(dev), desc(d) {
    device->AddRef();
    // The headless device draws no glyphs and so needs no face.
    if (HeadlessDevice::From(device)) return;
    const std::string file = FaceFile(fontFile);
    if (!file.empty()) OpenFace(file);
}

std::string TtfFont::FaceFile(const std::string& registered) {
    if (!InitTtf()) return {};
    for (const std::string& candidate : {registered, std::string(kSystemFontFile)}) {
        if (candidate.empty()) continue;
        const std::string path = platform::ResolvePath(candidate);
        if (TTF_Font* probe = TTF_OpenFont(path.c_str(), 16)) {
            TTF_CloseFont(probe);
            return path;
        }
    }
    return {};
}

TtfFont::~TtfFont() {
    for (auto& entry : texts) SafeRelease(entry.second);
    if (face) TTF_CloseFont(face);
    device->Release();
}

// The font's height is its cell height (ascent plus descent) in pixels, as on Windows; SDL_ttf sizes by
// the em, so the face is opened once to measure and again at the size that gives that cell.
void TtfFont::OpenFace(const std::string& fontFile) {
    const std::string path = platform::ResolvePath(fontFile);
    const int cell = desc.Height > 0 ? desc.Height : (desc.Height < 0 ? -desc.Height : 16);
    face = TTF_OpenFont(path.c_str(), cell);
    if (!face || desc.Height < 0) return;
    const int measured = TTF_FontHeight(face);
    if (measured > 0 && measured != cell) {
        const int points = cell * cell / measured;
        if (TTF_Font* sized = TTF_OpenFont(path.c_str(), points > 0 ? points : 1)) {
            TTF_CloseFont(face);
            face = sized;
        }
    }
}

IDirect3DTexture9* TtfFont::TextTexture(const std::string& text) {
    auto found = texts.find(text);
    if (found != texts.end()) return found->second;
    if (texts.size() >= kMaxCachedTexts) {
        for (auto& entry : texts) SafeRelease(entry.second);
        texts.clear();
    }
    IDirect3DTexture9* texture = nullptr;
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(face, text.c_str(), SDL_Color{255, 255, 255, 255});
    SDL_Surface* argb = rendered ? SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    if (argb && SUCCEEDED(device->CreateTexture(static_cast<UINT>(argb->w), static_cast<UINT>(argb->h), 1, 0,
                                                D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr))) {
        D3DLOCKED_RECT locked{};
        if (SUCCEEDED(texture->LockRect(0, &locked, nullptr, 0))) {
            // ARGB8888 in memory is B, G, R, A like A8R8G8B8; rows are padded to the surface's pitch.
            for (int y = 0; y < argb->h; ++y) {
                std::memcpy(static_cast<uint8_t*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch,
                            static_cast<const uint8_t*>(argb->pixels) + static_cast<size_t>(y) * argb->pitch,
                            static_cast<size_t>(argb->w) * 4);
            }
            texture->UnlockRect(0);
        }
    }
    if (argb) SDL_FreeSurface(argb);
    if (rendered) SDL_FreeSurface(rendered);
    texts[text] = texture;  // a text that cannot be rendered stays null and is not tried again
    return texture;
}

int TtfFont::DrawTextA(ID3DXSprite* sprite, const char* text, int count, RECT* rect, DWORD format,
                       D3DCOLOR colour) {
    if (!text || !rect) return 0;
    const auto Line = [&] { return count < 0 ? std::string(text) : std::string(text, strnlen(text, static_cast<size_t>(count))); };
    if (HeadlessDevice* headless = HeadlessDevice::From(device)) {
        if (headless->Recording())
            headless->Record("Font.DrawText:" + Line(), {static_cast<uint32_t>(rect->left),
                                                         static_cast<uint32_t>(rect->top), format, colour});
        return desc.Height;
    }
    const std::string line = Line();
    std::lock_guard lock(mutex);
    if (!face || line.empty()) return 0;
    if (format & DT_CALCRECT) {
        int w = 0, h = 0;
        TTF_SizeUTF8(face, line.c_str(), &w, &h);
        rect->right = rect->left + w;
        rect->bottom = rect->top + h;
        return h;
    }
    IDirect3DTexture9* texture = TextTexture(line);
    if (!texture) return 0;
    const D3DXVECTOR3 position(static_cast<float>(rect->left), static_cast<float>(rect->top), 0.0f);
    if (sprite) {
        sprite->Draw(texture, nullptr, nullptr, &position, colour);
    } else {
        // On its own the font brackets one sprite draw of its own.
        ID3DXSprite* own = nullptr;
        if (SUCCEEDED(D3DXCreateSprite(device, &own))) {
            own->Begin(D3DXSPRITE_ALPHABLEND);
            own->Draw(texture, nullptr, nullptr, &position, colour);
            own->End();
            own->Release();
        }
    }
    return static_cast<int>(texture->Height());
}

HRESULT TtfFont::GetDescA(D3DXFONT_DESCA* out) {
    if (!out) return D3DERR_INVALIDCALL;
    *out = desc;
    return D3D_OK;
}
