#include "engine/gui/ListBox.h"

#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace Engine {

namespace {

const int MAX_LAYOUT_ROWS = 1000;

} // namespace

cListBox::cListBox(cWidget* parent)
    : cPanel(parent), m_upButton(new cTextureButton(this)), m_downButton(new cTextureButton(this)),
      m_rowTemplate(new cTextureTextButton(this)) {
    m_rows.reserve(20);
    m_upButton->setClickCallback(onUpClick);
    m_downButton->setClickCallback(onDownClick);
    m_rowTemplate->setClickCallback(onRowClick);
}

cListBox::~cListBox() = default;

void cListBox::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    float interlinear = NAN;
    parseFloat(interlinear, node->getAttribute(L"Interlinear"));
    if (!std::isnan(interlinear))
        m_interlinear = interlinear;
    parseUInt(m_maxRows, node->getAttribute(L"MaxRows"));
    parseVector2(m_topLeft, node->getAttribute(L"TopLeft"));
    parseVector2(m_bottomRight, node->getAttribute(L"BottomRight"));

    IXmlNode* child = nullptr;
    if (node->findNode("UpButton", child))
        m_upButton->loadXML(child);
    if (node->findNode("DownButton", child))
        m_downButton->loadXML(child);
    if (node->findNode("Button", child))
        m_rowTemplate->loadXML(child);
    m_rowTemplate->hide();

    if (node->findNode("Strings", child)) {
        // A negative count is none; a count from a broken layout must not exhaust the memory.
        int count = 0;
        parseInt(count, child->getAttribute(L"Count"));
        count = std::clamp(count, 0, MAX_LAYOUT_ROWS);
        for (int i = 0; i < count; ++i)
            appendRow(child->getAttribute(L"str" + std::to_wstring(i)));
    }
    layout();
}

void cListBox::setWindow(const cVector2& topLeft, const cVector2& bottomRight) {
    m_topLeft = topLeft;
    m_bottomRight = bottomRight;
}

void cListBox::setRowText(cTextureTextButton* row, const std::wstring& text) {
    row->setText(text);
}

void cListBox::appendRow(const std::wstring& text) {
    auto* row = new cTextureTextButton(*m_rowTemplate);
    row->setParent(this);
    row->setUserData(int32_t(m_rows.size()));
    m_rows.push_back(row);
    m_rowTexts.push_back(text);
    setRowText(row, text);
}

void cListBox::addString(const std::wstring& text) {
    appendRow(text);
    layout();
}

void cListBox::clear() {
    for (cTextureTextButton* row : m_rows) {
        row->hide();
        deleteWidgetLater(row);
    }
    m_rows.clear();
    m_rowTexts.clear();
    layout();
}

void cListBox::layout() {
    const int n = int(m_rows.size());
    if (n == 0) {
        m_upButton->hide();
        m_downButton->hide();
        return;
    }
    const float height = m_bottomRight.y - m_topLeft.y;
    const float step = m_interlinear;
    // Without a positive distance every row would fit: they all show, on one spot.
    int visible = n;
    if (step > 0)
        visible = int(std::max(0.0f, std::min(float(n), std::trunc(height / step))));
    int first = int(std::min(m_firstRow, unsigned(n - 1)));
    if (n - first < visible)
        first = std::max(0, n - visible);
    m_firstRow = unsigned(first);
    const int end = std::min(n, first + visible);

    float y = m_position.y - height * 0.5f + step * 0.5f;
    for (int i = 0; i < n; ++i) {
        cTextureTextButton* row = m_rows[size_t(i)];
        if (i < first || i >= end) {
            row->hide();
            continue;
        }
        row->setPosition(m_position.x, y);
        row->show();
        row->enable();
        y += step;
    }
    if (end == n)
        m_downButton->hide();
    else
        m_downButton->show();
    if (first > 0)
        m_upButton->show();
    else
        m_upButton->hide();
}

void cListBox::scrollUp() {
    if (m_firstRow == 0)
        return;
    --m_firstRow;
    layout();
}

void cListBox::scrollDown() {
    if (size_t(m_firstRow) + 1 >= m_rows.size())
        return;
    ++m_firstRow;
    layout();
}

void cListBox::onUpClick(cButton* button) {
    static_cast<cListBox*>(button->getParent())->scrollUp();
}

void cListBox::onDownClick(cButton* button) {
    static_cast<cListBox*>(button->getParent())->scrollDown();
}

void cListBox::onRowClick(cButton* button) {
    auto* box = static_cast<cListBox*>(button->getParent());
    if (box && box->m_selectCallback)
        box->m_selectCallback(button->getUserData(), box);
}

} // namespace Engine
