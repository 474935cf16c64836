#include "engine/media/MediaResources.h"

#include "engine/media/SoundSample.h"
#include "engine/media/Texture.h"
#include "engine/media/VertexShader.h"
#include "tests/media/ImageFiles.h"
#include "tests/media/MediaFixture.h"

using namespace Engine;

class MediaResources : public MediaFixture {};

TEST_F(MediaResources, TheFactoryTeachesTheManagerTheMediaKinds) {
    writeData("pics/a.png", TestImages::png(4, 4, TestImages::pattern(4, 4)));
    writeData("fx/a.vsh", "shader bytes");
    writeData("sfx/a.wav", "not read without a sound system");
    start();

    for (const char* path : {"Pics/A.png", "fx/a.VSH", "sfx/a.wav"})
        m_manager->getByExtension(path);
    EXPECT_EQ(m_manager->findEntry("pics/a.png")->getKind(), RESOURCE_TEXTURE);
    EXPECT_EQ(m_manager->findEntry("fx/a.vsh")->getKind(), RESOURCE_VERTEX_SHADER);
    cResource* sample = m_manager->findEntry("sfx/a.wav");
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(m_manager->getSoundSample("SFX/A.wav"), static_cast<cSoundSample*>(sample));
    EXPECT_EQ(sample->getRefCount(), 2);

    // Textures and shaders are device resources; samples are not.
    m_manager->unloadAll();
    EXPECT_EQ(m_device.getTextureCount(), 0u);
    EXPECT_EQ(m_device.getShaderCount(), 0u);
    m_manager->destroyAllSounds();
    EXPECT_EQ(m_manager->findEntry("sfx/a.wav"), sample);
}
