#pragma once

// Message boxes without a display: each box is recorded and printed to stderr; nothing blocks.

#include "engine/platform/MessageBox.h"

#include <vector>

namespace Platform {

class cHeadlessMessageBox : public IMessageBox {
public:
    struct cRecord {
        std::string text;
        std::string caption;
        MessageBoxIcon icon;
    };

    void show(const std::string& text, const std::string& caption, MessageBoxIcon icon) override;

    const std::vector<cRecord>& getRecords() const { return m_records; }
    void clear() { m_records.clear(); }

private:
    std::vector<cRecord> m_records;
};

// The process-wide recorder used when headless or when no display can show a box.
cHeadlessMessageBox& getHeadlessMessageBox();

} // namespace Platform
