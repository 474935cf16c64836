#include "game/shell/Options.h"

#include "engine/core/GraphicsLink.h"
#include "engine/core/ProfileManager.h"
#include "engine/core/Settings.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/Label.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/ProgressBar.h"
#include "engine/gui/Slider.h"
#include "engine/gui/TextButton.h"
#include "engine/media/SoundSystem.h"

using namespace Engine;

namespace {

void readChild(const IXmlNode* node, const char* name, cWidget* widget) {
    IXmlNode* element = nullptr;
    if (node->findNode(name, element))
        widget->loadXML(element);
}

void showOnBar(cProgressBar* bar, float value) {
    bar->setCurrentValue(value);
    bar->updateLid();
}

int soundVolume() {
    cSoundSystem* sound = getSoundSystem();
    return sound ? sound->getSoundVolume() : 0;
}

int musicVolume() {
    cSoundSystem* sound = getSoundSystem();
    return sound ? sound->getMusicVolume() : 0;
}

} // namespace

bool isFullScreenSet() {
    bool on = false;
    if (cSettings* settings = getSettings())
        settings->getValue(L"graphics", L"fullscreen", on);
    return on;
}

cOptions::cOptions()
    : cBackground(nullptr), m_back(new cPanel(this)), m_logo(new cPanel(this)), m_podlogka(new cPanel(this)),
      m_okButton(new cTextButton(this)), m_soundVolume(new cSlider(this)), m_musicVolume(new cSlider(this)),
      m_fullScreen(new cCheckBox(this)), m_fullScreenText(new cLabel(this)), m_musicText(new cLabel(this)),
      m_soundText(new cLabel(this)), m_label(new cLabel(this)), m_musicFloat(new cProgressBar(this)),
      m_soundFloat(new cProgressBar(this)) {
    m_okButton->setClickCallback(onOk);
    m_fullScreen->setChangeCallback(onFullScreenChecked);
    m_soundVolume->setChangeCallback(onSoundSlider);
    m_musicVolume->setChangeCallback(onMusicSlider);
    loadLayoutFile(*this, "UI/Options.xml");
    showOnBar(m_musicFloat, static_cast<float>(musicVolume()));
    showOnBar(m_soundFloat, static_cast<float>(soundVolume()));
}

cOptions::~cOptions() {
    disable();
    hide();
    if (getProfileManager()) {
        gBoolProps["SaveSettings"] = true;
        gUIntProps["MusicVolume"] = static_cast<uint32_t>(musicVolume());
        gUIntProps["SoundVolume"] = static_cast<uint32_t>(soundVolume());
        try {
            getProfileManager()->save();
        } catch (...) {
            // A destructor must not throw; the profile is written again when the game ends.
        }
    }
}

void cOptions::loadXML(const IXmlNode* node) {
    cBackground::loadXML(node);
    readChild(node, "Back", m_back);
    readChild(node, "Logo", m_logo);
    readChild(node, "Podlogka", m_podlogka);
    readChild(node, "OkButton", m_okButton);
    readChild(node, "SoundVolume", m_soundVolume);
    readChild(node, "MusicVolume", m_musicVolume);
    readChild(node, "FullScreen", m_fullScreen);
    readChild(node, "FullScreenText", m_fullScreenText);
    readChild(node, "MusicText", m_musicText);
    readChild(node, "SoundText", m_soundText);
    readChild(node, "Label", m_label);
    readChild(node, "MusicFloat", m_musicFloat);
    readChild(node, "SoundFloat", m_soundFloat);
    m_fullScreen->setChecked(isFullScreenSet());
    cSoundSystem* sound = getSoundSystem();
    if (!sound || sound->isDisabled()) {
        m_soundVolume->disable();
        m_musicVolume->disable();
    }
    m_musicVolume->setValue(static_cast<float>(musicVolume()));
    m_musicVolume->updateThumb();
    m_soundVolume->setValue(static_cast<float>(soundVolume()));
    m_soundVolume->updateThumb();
    showOnBar(m_soundFloat, static_cast<float>(soundVolume()));
    showOnBar(m_musicFloat, static_cast<float>(musicVolume()));
}

void cOptions::process() {
    cBackground::process();
    const bool on = isFullScreenSet();
    if (m_fullScreen->isChecked() != on)
        m_fullScreen->setChecked(on);
}

void cOptions::onOk(cButton* button) {
    auto* dialog = dynamic_cast<cOptions*>(button->getParent());
    if (!dialog || !dialog->m_handler)
        throw "cOptions::onOk(): handler is not specified";
    dialog->m_handler(dialog);
}

void cOptions::onFullScreenChecked(cCheckBox*, bool on) {
    if (cSettings* settings = getSettings())
        settings->setValue(L"graphics", L"fullscreen", on);
    if (IGraphicsLink* graphics = getGraphicsLink())
        graphics->requestModeSwitch(true);
}

void cOptions::onSoundSlider(float value) {
    if (cSoundSystem* sound = getSoundSystem())
        sound->setSoundVolume(static_cast<int>(value));
    if (cOptions* dialog = getInstance())
        showOnBar(dialog->m_soundFloat, value);
}

void cOptions::onMusicSlider(float value) {
    if (cSoundSystem* sound = getSoundSystem())
        sound->setMusicVolume(static_cast<int>(value));
    if (cOptions* dialog = getInstance())
        showOnBar(dialog->m_musicFloat, value);
}
