#include "game/shell/PictureSequence.h"

#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/media/Texture.h"

#include <string>

using namespace Engine;

cPictureSequence::cPictureSequence(cWidget* parent) : cPanel(parent) {}

cPictureSequence::~cPictureSequence() {
    releaseFrames();
}

void cPictureSequence::releaseFrames() {
    for (cTexture* texture : m_frames)
        texture->decRef();
    m_frames.clear();
}

void cPictureSequence::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    releaseFrames();
    cResourceManager* resources = getResourceManager();
    for (int i = 0; resources; ++i) {
        std::wstring key = L"Picture";
        if (i > 0)
            key += std::to_wstring(i);
        const std::string path = wideToNarrow(node->getAttribute(key));
        if (path.empty())
            break;
        cTexture* texture = resources->getTexture(path);
        if (!texture)
            break;
        m_frames.push_back(texture);
    }
}

int cPictureSequence::frameAt(float seconds) const {
    const int count = int(m_frames.size());
    const float length = getAnimLength();
    if (count == 0)
        return -1;
    if (!(length > 0) || seconds >= length)
        return count - 1;
    const int frame = int(seconds / length * float(count));
    return frame < 0 ? 0 : (frame < count ? frame : count - 1);
}

void cPictureSequence::process() {
    // The panel's step advances the animation time while it plays.
    const bool playing = getPlayAnimation() && !isLocked();
    cPanel::process();
    if (!playing || m_frames.empty())
        return;
    m_animPosition = wrapAnimTime(m_animPosition, getAnimLength(), getAnimLoop());
    cTexture* frame = m_frames[size_t(frameAt(m_animPosition))];
    if (frame != getPicture())
        setPictureResource(frame);
}
