#include "loading/LoadingScreen.h"

#include "graphics/GraphicsDevice.h"
#include "graphics/TextureManager.h"

namespace {

constexpr float kOriginX = 480.0f, kOriginY = 520.0f;  // the "Now Loading" text
constexpr float kPercentX = 720.0f;                    // the percentage, 240 to its right
constexpr float kBarY = 30.0f;                         // the bar, below both
constexpr float kBarScaleY = 0.75f;
constexpr int kCap = 20, kMiddleEnd = 260, kSheetWidth = 60, kSheetHeight = 42;
constexpr D3DCOLOR kWhite = 0xFFFFFFFF;

// One piece of a sheet at (x, kBarY) relative to the origin, width scaled by stretch.
void DrawPiece(const Texture* sheet, RECT rect, float x, float stretch) {
    ID3DXSprite* sprite = GraphicsDevice::GetInstance().GetSprite();
    if (!sheet || !sheet->texture) return;
    D3DXMATRIX scale, move, m;
    D3DXMatrixScaling(&scale, stretch, kBarScaleY, 1.0f);
    D3DXMatrixTranslation(&move, kOriginX + x, kOriginY + kBarY, 0.0f);
    D3DXMatrixMultiply(&m, &scale, &move);
    sprite->SetTransform(&m);
    sprite->Draw(sheet->texture, &rect, nullptr, nullptr, kWhite);
}

void DrawText(const std::string& text, float x) {
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, x, kOriginY, 0.0f);
    graphics.GetSprite()->SetTransform(&m);
    RECT rect{0, 0, 0, 0};
    graphics.GetFont()->DrawTextA(graphics.GetSprite(), text.c_str(), -1, &rect, DT_NOCLIP, kWhite);
}

}  // namespace

LoadingScreen::LoadingScreen()
    : fill(TextureManager::GetInstance().GetTexture(kFillSheet)),
      empty(TextureManager::GetInstance().GetTexture(kEmptySheet)) {}

std::string LoadingScreen::LoadingText(int dotCount) { return "Now Loading" + std::string(dotCount, '.'); }

void LoadingScreen::DrawFrame(unsigned percent, int frame) {
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    if (!graphics.GetSprite()) return;
    if (graphics.GetFont()) DrawText(LoadingText(dots), kOriginX);
    // 0, 1, 2, 3 dots, each held for five frames.
    if (frame % 5 == 0 && ++dots > 3) dots = 0;
    if (graphics.GetFont()) DrawText(std::to_string(percent) + "%", kPercentX);
    DrawBar(percent);
}

void LoadingScreen::DrawBar(unsigned percent) {
    const RECT leftCap{0, 0, kCap, kSheetHeight};
    const RECT middle{kCap, 0, kCap + 1, kSheetHeight};
    const RECT rightCap{40, 0, kSheetWidth, kSheetHeight};
    DrawPiece(empty, leftCap, 0.0f, 1.0f);
    DrawPiece(empty, middle, kCap, static_cast<float>(kMiddleEnd));
    DrawPiece(empty, rightCap, kCap + kMiddleEnd, 1.0f);

    const int w = 3 * static_cast<int>(percent);
    DrawPiece(fill, w < kCap ? RECT{0, 0, w, kSheetHeight} : leftCap, 0.0f, 1.0f);
    if (w >= kCap) DrawPiece(fill, middle, kCap, static_cast<float>(w > kMiddleEnd ? kMiddleEnd : w - kCap));
    if (w >= kMiddleEnd) {
        // The right piece grows from x 40 of the sheet; it never reads past the sheet's last column,
        // which would stretch the edge pixels beyond the end of the empty bar.
        const int right = w - 220 < kSheetWidth ? w - 220 : kSheetWidth;
        DrawPiece(fill, RECT{40, 0, right, kSheetHeight}, kCap + kMiddleEnd, 1.0f);
    }
}
