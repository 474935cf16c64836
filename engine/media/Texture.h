#pragma once

// A texture resource: an image file of the data name space decoded into a device texture of
// 32-bit pixels, with the sizes that map the image's own pixels onto a texture the device may
// have made larger. Made and cached by the resource manager's getTexture.

#include "engine/core/IntPair.h"
#include "engine/core/Resource.h"
#include "engine/core/Vector2.h"
#include "engine/platform/RenderDevice.h"

#include <string>
#include <vector>

namespace Engine {

// Pictures that texture loads will soon ask for, decoded ahead on worker threads while the
// caller goes on (at most about one big atlas of decoded pixels waits at a time); a texture
// loaded from one of them then only uploads. Names are as the resource manager takes them; a
// picture already loaded is skipped. Called on the thread that loads textures.
void prefetchTextures(const std::vector<std::string>& paths);
// Drops what was decoded ahead and not taken, and stops the workers.
void endTexturePrefetch();

class cTexture : public cResource {
public:
    // Loads the file at once; a missing, empty or undecodable file throws and nothing is kept.
    explicit cTexture(const std::string& path);
    // Wraps a device texture (or none) without a name; the owner fills in the sizes.
    explicit cTexture(Platform::tTextureHandle texture);
    ~cTexture() override;

    int getKind() const override;
    // Releases the device texture; load makes it again from the file.
    void unload() override;
    void load() override;

    void loadFromFile(const std::string& path);

    Platform::tTextureHandle getDeviceTexture() const { return m_texture; }
    // Image size / texture size, per axis; (1, 1) until loaded.
    const cVector2& getUvScale() const { return m_uvScale; }
    // Half a texel in texture coordinates; (0, 0) until loaded.
    const cVector2& getHalfTexel() const { return m_halfTexel; }
    // Size of the device texture, and of the image as stored in the file.
    const cIntPair& getSizeRef() const { return m_textureSize; }
    const cIntPair& getImageSize() const { return m_imageSize; }
    bool isAtlas() const { return m_atlas; }
    void setAtlas(bool atlas) { m_atlas = atlas; }

protected:
    // Takes the device texture made for an image and the sizes that map the image onto it.
    void attachImage(Platform::tTextureHandle texture, const struct cImageInfo& info);
    // Takes a device texture of that real size and counts its memory; releases the old one.
    void attachDeviceTexture(Platform::tTextureHandle texture, int width, int height);
    // Releases the device texture and takes back exactly the memory counted for it.
    void releaseDeviceTexture();

    Platform::tTextureHandle m_texture = 0;
    cVector2 m_uvScale{1.0f, 1.0f};
    cVector2 m_halfTexel;
    cIntPair m_textureSize;
    cIntPair m_imageSize;
    bool m_atlas = false;
    int32_t m_countedBytes = 0;
};

} // namespace Engine
