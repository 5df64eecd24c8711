#include "scenes/MenuText.h"

#include "graphics/GraphicsDevice.h"
#include "graphics/Texture.h"
#include "graphics/TextureManager.h"

namespace menu_text {

namespace {

constexpr char kBlack[] = "data/Texture/Black.png";
constexpr float kShadowOffset = 2.0f;

const Texture* Black() {
    const Texture* black = TextureManager::GetInstance().GetTexture(kBlack);
    return black && black->texture ? black : nullptr;
}

void Box(float x, float y, float width, float height, D3DCOLOR colour) {
    const Texture* black = Black();
    ID3DXSprite* sprite = GraphicsDevice::GetInstance().GetSprite();
    if (!black || !sprite) return;
    D3DXMATRIX m;
    D3DXMatrixScaling(&m, width / static_cast<float>(black->info.Width), height / static_cast<float>(black->info.Height), 1.0f);
    m._41 = x;
    m._42 = y;
    sprite->SetTransform(&m);
    sprite->Draw(black->texture, &black->rect, nullptr, nullptr, colour);
}

void Text(const std::string& text, float x, float y, D3DCOLOR colour, float scale) {
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    ID3DXFont* font = graphics.GetFont();
    ID3DXSprite* sprite = graphics.GetSprite();
    if (!font || !sprite) return;
    D3DXMATRIX m;
    D3DXMatrixScaling(&m, scale, scale, 1.0f);
    m._41 = x;
    m._42 = y;
    sprite->SetTransform(&m);
    RECT rect{0, 0, 0, 0};
    font->DrawTextA(sprite, text.c_str(), -1, &rect, DT_NOCLIP, colour);
}

}  // namespace

void DimFrame(int alpha) { Box(0.0f, 0.0f, 800.0f, 600.0f, static_cast<D3DCOLOR>(alpha) << 24); }

void DrawPanel(float x, float y, float width, float height) {
    Box(x, y, width, height, 0xB0081224);
    Box(x, y, width, 2.0f, 0xC08FDCFF);
    Box(x, y + height - 2.0f, width, 2.0f, 0xC08FDCFF);
}

void DrawLine(const std::string& text, float x, float y, unsigned colour, float scale) {
    Text(text, x + kShadowOffset, y + kShadowOffset, (colour & 0xFF000000u) / 2 & 0xFF000000u, scale);
    Text(text, x, y, colour, scale);
}

void DrawCentred(const std::string& text, float x, float y, unsigned colour, float scale) {
    DrawLine(text, x - Width(text) * scale / 2.0f, y, colour, scale);
}

float Width(const std::string& text) {
    ID3DXFont* font = GraphicsDevice::GetInstance().GetFont();
    if (!font) return 0.0f;
    RECT rect{0, 0, 0, 0};
    font->DrawTextA(nullptr, text.c_str(), -1, &rect, DT_CALCRECT, 0);
    return static_cast<float>(rect.right - rect.left);
}

}  // namespace menu_text
