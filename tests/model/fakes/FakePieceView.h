#pragma once

#include "game/model/PieceView.h"
#include "tests/model/fakes/CallLog.h"

namespace TestFakes {

class FakePieceView : public IPieceView, public CallLog {
public:
    explicit FakePieceView(cMeadowObjectModel* piece = nullptr) : m_piece(piece) {}

    cMeadowObjectModel* getObject() override { return m_piece; }
    bool isVisible() override { return m_visible; }
    void setVisible(bool visible) override {
        record("setVisible(" + boolText(visible) + ")");
        m_visible = visible;
    }
    bool isEnabled() override { return m_enabled; }
    void detachInput() override { record("detachInput()"); }

    cMeadowObjectModel* m_piece;
    bool m_visible = true;
    bool m_enabled = true;
};

} // namespace TestFakes
