#pragma once

// A texture holding one line of text drawn white on transparent black with the engine's fixed
// system font (bold, 10 points), for labels that ask for a system-font rendering. Made by its
// user, not by the resource manager, and never named.

#include "engine/media/Texture.h"

#include <string>

namespace Engine {

class cTextTexture : public cTexture {
public:
    explicit cTextTexture(const std::wstring& text);
    ~cTextTexture() override;

    int getKind() const override;
    // Renders the text again.
    void load() override;

    // Stores the text and renders it.
    virtual void setText(const std::wstring& text);
    // Draws the text into a new device texture, replacing the old one. An empty text gives size
    // (1, 1) and no texture.
    virtual void render();

    const std::wstring& getText() const { return m_text; }

private:
    std::wstring m_text;
};

} // namespace Engine
