#include "app/XmlSettingsNode.h"

namespace xmlnode_detail {

struct Entity {
    char ch;
    std::string_view text;
};

constexpr Entity kEntities[] = {
    {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\r', "&#13;"}, {'\n', "&#10;"},
};

std::string_view Trim(std::string_view text)
{
    const auto isSpace = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// The position of the closing tag that matches the opening tag ending just
// before from; npos when there is none.
size_t FindMatchingClose(std::string_view text, size_t from, std::string_view openTag, std::string_view closeTag)
{
    int nDepth = 1;
    size_t pos = from;
    for (;;) {
        const size_t nextOpen = text.find(openTag, pos);
        const size_t nextClose = text.find(closeTag, pos);
        if (nextClose == std::string_view::npos)
            return std::string_view::npos;
        if (nextOpen != std::string_view::npos && nextOpen < nextClose) {
            ++nDepth;
            pos = nextOpen + openTag.size();
            continue;
        }
        if (--nDepth == 0)
            return nextClose;
        pos = nextClose + closeTag.size();
    }
}

}  // namespace xmlnode_detail

CXmlSettingsNode::CXmlSettingsNode(LPCTSTR lpszName, CXmlSettingsNode* pParent)
    : m_children(10), m_pParent(pParent), m_strName(lpszName)
{
}

CXmlSettingsNode::~CXmlSettingsNode()
{
    DeleteChildren();
}

CXmlSettingsNode* CXmlSettingsNode::FindChild(const CString& strName) const
{
    for (POSITION pos = m_children.GetHeadPosition(); pos != nullptr;) {
        auto* pChild = static_cast<CXmlSettingsNode*>(m_children.GetNext(pos));
        if (pChild->m_strName == strName)
            return pChild;
    }
    return nullptr;
}

CXmlSettingsNode* CXmlSettingsNode::AddChild(const CString& strName)
{
    auto* pChild = new CXmlSettingsNode(strName, this);
    m_children.AddTail(pChild);
    return pChild;
}

void CXmlSettingsNode::DeleteChild(CXmlSettingsNode* pChild)
{
    POSITION pos = m_children.Find(pChild);
    if (pos == nullptr)
        return;
    m_children.RemoveAt(pos);
    delete pChild;
}

void CXmlSettingsNode::DeleteChildren()
{
    while (!m_children.IsEmpty())
        delete m_children.RemoveHead();
}

CString CXmlSettingsNode::RemoveBlanks(LPCTSTR lpszName)
{
    CString strName(lpszName);
    strName.Remove(' ');
    return strName;
}

CString CXmlSettingsNode::Escape(const CString& strText)
{
    CString strEscaped;
    for (int i = 0; i < strText.GetLength(); ++i) {
        const char ch = strText[i];
        bool bReplaced = false;
        for (const auto& entity : xmlnode_detail::kEntities) {
            if (entity.ch == ch) {
                strEscaped += CString(entity.text.data(), static_cast<int>(entity.text.size()));
                bReplaced = true;
                break;
            }
        }
        if (!bReplaced)
            strEscaped += ch;
    }
    return strEscaped;
}

CString CXmlSettingsNode::Unescape(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        bool bReplaced = false;
        if (text[pos] == '&') {
            for (const auto& entity : xmlnode_detail::kEntities) {
                if (text.substr(pos, entity.text.size()) == entity.text) {
                    result += entity.ch;
                    pos += entity.text.size();
                    bReplaced = true;
                    break;
                }
            }
        }
        if (!bReplaced)
            result += text[pos++];
    }
    return CString(result.data(), static_cast<int>(result.size()));
}

void CXmlSettingsNode::AppendText(CString& strText) const
{
    const CString strName = Escape(m_strName);
    if (m_pParent != nullptr && !HasChildren()) {
        strText += "<" + strName + ">\"" + Escape(m_strValue) + "\"</" + strName + ">\n";
        return;
    }
    strText += "<" + strName + ">\n";
    for (POSITION pos = m_children.GetHeadPosition(); pos != nullptr;)
        static_cast<const CXmlSettingsNode*>(m_children.GetNext(pos))->AppendText(strText);
    strText += "</" + strName + ">\n";
}

BOOL CXmlSettingsNode::Parse(std::string_view& text)
{
    m_strValue.Empty();
    DeleteChildren();
    if (text.empty() || text.front() != '<')
        return FALSE;
    const size_t nameEnd = text.find('>');
    if (nameEnd == std::string_view::npos)
        return FALSE;
    const std::string_view rawName = text.substr(1, nameEnd - 1);
    m_strName = Unescape(rawName);

    const std::string openTag = "<" + std::string(rawName) + ">";
    const std::string closeTag = "</" + std::string(rawName) + ">";
    const size_t contentStart = nameEnd + 1;
    const size_t closeAt = xmlnode_detail::FindMatchingClose(text, contentStart, openTag, closeTag);
    if (closeAt == std::string_view::npos)
        return FALSE;
    const std::string_view content = xmlnode_detail::Trim(text.substr(contentStart, closeAt - contentStart));
    text.remove_prefix(closeAt + closeTag.size());

    if (content.empty())
        return TRUE;
    if (content.front() == '"') {
        m_strValue = Unescape(content.size() >= 2 ? content.substr(1, content.size() - 2) : std::string_view());
        return TRUE;
    }
    if (content.front() == '<')
        return ParseChildren(content);
    return FALSE;
}

// Siblings must follow each other directly: only the ends of an element's
// content are trimmed.
BOOL CXmlSettingsNode::ParseChildren(std::string_view content)
{
    while (!content.empty()) {
        auto* pChild = new CXmlSettingsNode(nullptr, this);
        if (!pChild->Parse(content)) {
            delete pChild;
            return FALSE;
        }
        m_children.AddTail(pChild);
    }
    return TRUE;
}
