// One key or value of the settings store's tree: a value is a node with a
// value string, a key a node with children; a value and a sub-key of one name
// are the same node. A node owns its children.
//
// The file form is one element a line, without declaration or indentation:
// a node without children is "<name>"value"</name>", any other node its
// opening tag, its children and its closing tag. Names and values are
// escaped (&amp; &lt; &gt; &quot; &#13; &#10;), so no value can end its own
// element or break its line.
#pragma once

#include <string_view>

#include "platform/mfc/CObList.h"
#include "platform/mfc/CString.h"

class CXmlSettingsNode : public CObject {
public:
    explicit CXmlSettingsNode(LPCTSTR lpszName = nullptr, CXmlSettingsNode* pParent = nullptr);
    ~CXmlSettingsNode() override;

    // The first child of exactly that name (case-sensitive), or NULL.
    CXmlSettingsNode* FindChild(const CString& strName) const;
    // A new child at the end of the list.
    CXmlSettingsNode* AddChild(const CString& strName);
    // Takes the child out of the list and deletes it with its subtree.
    void DeleteChild(CXmlSettingsNode* pChild);
    void DeleteChildren();
    BOOL HasChildren() const { return !m_children.IsEmpty(); }

    // Appends the node's file form (lines ending in "\n").
    void AppendText(CString& strText) const;
    // Replaces the node's name, value and children by the element at the
    // front of text, which is then cut off. FALSE when the element does not
    // parse: the children parsed before the fault stay, the one holding it
    // and everything after it is dropped.
    BOOL Parse(std::string_view& text);

    static CString Escape(const CString& strText);
    // Unknown "&" sequences stay as they are, so hand-written files read.
    static CString Unescape(std::string_view text);
    // Names are kept without blanks (code 32 only).
    static CString RemoveBlanks(LPCTSTR lpszName);

    CObList m_children;  // of CXmlSettingsNode*, in insertion order
    CXmlSettingsNode* m_pParent;
    CString m_strName;
    CString m_strValue;

private:
    BOOL ParseChildren(std::string_view content);
};
