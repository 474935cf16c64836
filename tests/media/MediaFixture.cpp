#include "tests/media/MediaFixture.h"

#include "engine/media/MediaResources.h"

#include <cstdlib>

void MediaFixture::SetUp() {
    const char* old = std::getenv("MEADOW_USER_DIR");
    m_oldUserDir = old ? old : "";
    setenv("MEADOW_USER_DIR", m_root.file("user").c_str(), 1);
    writeData("sys/constants.xml", "<c><game app_directory='Meadow'/></c>");
    start();
}

void MediaFixture::TearDown() {
    m_manager.reset();
    m_factory.reset();
    m_fileSystem.reset();
    setenv("MEADOW_USER_DIR", m_oldUserDir.c_str(), 1);
}

void MediaFixture::writeData(const std::string& relative, const std::string& bytes) const {
    m_root.write("Data/" + relative, bytes);
}

void MediaFixture::start() {
    m_manager.reset();
    m_factory.reset();
    m_fileSystem.reset();
    const std::string data = m_root.file("Data");
    m_fileSystem = std::make_unique<Engine::cFileSystem>(std::wstring(data.begin(), data.end()), "pack");
    m_manager = std::make_unique<Engine::cResourceManager>();
    m_factory = std::make_unique<Engine::cTextureFactory>(&m_device);
}
