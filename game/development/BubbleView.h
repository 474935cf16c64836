#pragma once

// The heroine's speech bubble: it grows out of a point near her towards the middle of the screen,
// holds up to three lines for the talk, then fades out and tells its owner, which then goes to
// work. A tool-tip shown over it fades it out.

#include "engine/core/Vector2.h"
#include "engine/gui/Panel.h"

#include <string>

namespace Engine {
class cMultilineText;
}
class cPersonageView;

class cBubbleView : public Engine::cPanel {
public:
    cBubbleView(Engine::cWidget* parent, cPersonageView* owner);
    ~cBubbleView() override;

    void process() override;
    // The panel keys, "bubble_offset", "effect_time" and the child "Text"; refuses a size of 0,
    // which would place every bubble on its own tail and never show a line.
    void loadXML(const Engine::IXmlNode* node) override;

    // The joined lines, and the tail point and opening side for a character at p.
    void setText(const Engine::cVector2& p, const std::wstring& line1, const std::wstring& line2,
                 const std::wstring& line3);
    // Back to the depth of its file after its character moved it along with her own: over the
    // map and its interface, under tips and dialogs.
    void keepLayoutDepth();
    void startShowing();
    void startHiding();
    // Starts hiding when one of the tip's corners lies in the bubble.
    void onTipShown(const Engine::cSprite* tip);

    Engine::cMultilineText* getText() const { return m_text; }
    const Engine::cVector2& getTarget() const { return m_target; }
    const Engine::cVector2& getTargetSize() const { return m_targetSize; }
    bool isShowing() const { return m_showing; }
    bool isHiding() const { return m_hiding; }

protected:
    void stepShowing(float dt);
    void stepHiding(float dt);

    Engine::cMultilineText* m_text;
    Engine::cVector2 m_screenCentre;
    Engine::cVector2 m_size;
    Engine::cVector2 m_targetSize;
    Engine::cVector2 m_halfSize;
    Engine::cVector2 m_bubbleOffset;
    bool m_showing = false;
    bool m_hiding = false;
    float m_effectTimeLeft = 0;
    float m_effectTime = 0;
    float m_alphaSpeed = 0;
    Engine::cVector2 m_growSpeed;
    Engine::cVector2 m_target;
    float m_moveSpeed = 0;
    cPersonageView* m_owner;
    float m_layoutDepth = 0;
};
