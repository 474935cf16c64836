#include "engine/media/VertexShader.h"

#include "engine/core/String.h"

#include "tests/media/MediaFixture.h"

using namespace Engine;

class VertexShader : public MediaFixture {};

TEST_F(VertexShader, KeepsTheFileBytesAndRemakesTheProgramWithTheDevice) {
    writeData("shaders/wave.vsh", std::string("\x01\x01\xFE\xFF program", 12));
    writeData("shaders/empty.vsh", "");
    start();
    cVertexShader* shader = m_manager->getVertexShader("Shaders/Wave.vsh");
    EXPECT_EQ(shader->getKind(), RESOURCE_VERTEX_SHADER);
    EXPECT_EQ(shader->getBytes().size(), 12u);
    ASSERT_NE(shader->getHandle(), 0u);
    EXPECT_EQ(m_device.getShaderBytes(shader->getHandle()), shader->getBytes());
    EXPECT_EQ(m_manager->getVertexShader("shaders/wave.vsh"), shader);

    m_manager->unloadAll();
    EXPECT_EQ(shader->getHandle(), 0u);
    EXPECT_EQ(m_device.getShaderCount(), 0u);
    m_manager->loadAll();
    EXPECT_EQ(m_device.getShaderCount(), 1u);

    EXPECT_THROW(m_manager->getVertexShader("shaders/empty.vsh"), cStringA);
    EXPECT_EQ(m_manager->findEntry("shaders/empty.vsh"), nullptr);
}
