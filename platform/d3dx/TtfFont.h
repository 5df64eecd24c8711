#pragma once
// The font on SDL_ttf: each distinct text is rendered once in white into a texture and kept; drawing
// it is a sprite draw tinted with the requested colour. On the headless device no glyphs are rendered:
// the call is recorded as "Font.DrawText:<text>" with the rectangle's left and top, format and colour.
#include <map>
#include <mutex>
#include <string>

#include "platform/d3dx/Sprite.h"

typedef struct _TTF_Font TTF_Font;

class TtfFont : public ID3DXFont {
public:
    TtfFont(IDirect3DDevice9* device, const D3DXFONT_DESCA& desc, const std::string& fontFile);
    ~TtfFont() override;

    int DrawTextA(ID3DXSprite* sprite, const char* text, int count, RECT* rect, DWORD format,
                  D3DCOLOR colour) override;
    HRESULT GetDescA(D3DXFONT_DESCA* desc) override;

    static constexpr size_t kMaxCachedTexts = 256;
    // The face used when the registered font file is missing or cannot be opened, from the Debian
    // package fonts-dejavu-core, so that text still shows.
    static constexpr const char* kSystemFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    // The file a font draws with: the registered one (found whatever its case) when SDL_ttf opens it,
    // otherwise the system font; empty when neither opens.
    static std::string FaceFile(const std::string& registered);

private:
    IDirect3DTexture9* TextTexture(const std::string& text);
    void OpenFace(const std::string& fontFile);

    IDirect3DDevice9* device;
    D3DXFONT_DESCA desc;
    TTF_Font* face = nullptr;
    std::mutex mutex;
    std::map<std::string, IDirect3DTexture9*> texts;
};
