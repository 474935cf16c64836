#pragma once

// The picture of one award on the announcement panel, with the texts the award file gives it.
// Made by the award manager when the award is given, deleted once it has been announced.

#include "engine/gui/Panel.h"

#include <cstdint>
#include <string>

class cAward : public Engine::cPanel {
public:
    // Reads its entry of "Awards/Awards.xml"; hidden and disabled, drawn with flag 0x20.
    cAward(Engine::cWidget* parent, int32_t index);
    ~cAward() override;

    // The entry number index of "Awards": "Congratulation", "DescText" and the "Icon" picture.
    virtual void loadXML(const Engine::IXmlNode* root);

    int32_t getIndex() const { return m_index; }
    const std::wstring& getCongratulation() const { return m_congratulation; }
    const std::wstring& getDescText() const { return m_descText; }
    // Where the file puts the picture, with the announcement panel at rest.
    const Engine::cVector2& getHome() const { return m_home; }

private:
    int32_t m_index;
    std::wstring m_congratulation;
    std::wstring m_descText;
    Engine::cVector2 m_home;
};
