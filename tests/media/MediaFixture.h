#pragma once

// A data folder of the test's own, the file system and resource manager over it, and a texture
// factory on a recording render device: what texture tests need, torn down in reverse order.

#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "engine/media/TextureFactory.h"
#include "engine/platform/headless/RecordingRenderDevice.h"
#include "tests/support/DataFolders.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class MediaFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a file into the data folder; the file system sees it from the next start().
    void writeData(const std::string& relative, const std::string& bytes) const;
    // (Re)creates the file system, the resource manager and the texture factory.
    void start();

    TestSupport::DataFolders m_folders;
    Platform::cRecordingRenderDevice m_device;
    std::unique_ptr<Engine::cFileSystem> m_fileSystem;
    std::unique_ptr<Engine::cResourceManager> m_manager;
    std::unique_ptr<Engine::cTextureFactory> m_factory;
};
