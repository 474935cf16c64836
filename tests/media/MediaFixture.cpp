#include "tests/media/MediaFixture.h"

#include "engine/media/MediaResources.h"

void MediaFixture::SetUp() {
    start();
}

void MediaFixture::TearDown() {
    m_manager.reset();
    m_factory.reset();
    m_fileSystem.reset();
}

void MediaFixture::writeData(const std::string& relative, const std::string& bytes) const {
    m_folders.writeData(relative, bytes);
}

void MediaFixture::start() {
    m_manager.reset();
    m_factory.reset();
    m_fileSystem.reset();
    m_fileSystem = std::make_unique<Engine::cFileSystem>(m_folders.dataFolder(), "pack");
    m_manager = std::make_unique<Engine::cResourceManager>();
    m_factory = std::make_unique<Engine::cTextureFactory>(&m_device);
}
