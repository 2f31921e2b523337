// One element to write: a tag and its attributes in the order they were set.
// Values are written as given: callers escape them.
#pragma once

#include <string>

#include "platform/mfc/CStringArray.h"

class CXmlWriter;

class CXmlElement {
public:
    explicit CXmlElement(const std::string& strTag);
    ~CXmlElement();

    // Replaces the value of the first attribute of exactly that name, else
    // appends the pair.
    void SetAttribute(const std::string& strName, const std::string& strValue);

    // The depth changes by nChange first; the tag is indented by the depth.
    BOOL WriteStartTag(CXmlWriter* pWriter, int nChange, BOOL bIndent, BOOL bNewLine);
    // As the start tag with "/>", after which the depth goes back.
    BOOL WriteEmptyElement(CXmlWriter* pWriter, int nChange, BOOL bIndent, BOOL bNewLine);
    // "<?tag attributes?>" and CR LF, always indented.
    BOOL WriteDeclaration(CXmlWriter* pWriter, int nChange);
    // Indented by the current depth; the depth changes by nChange after.
    BOOL WriteEndTag(CXmlWriter* pWriter, int nChange, BOOL bIndent, BOOL bNewLine);

private:
    std::string Indentation(const CXmlWriter* pWriter, BOOL bIndent) const;
    std::string Attributes() const;

    std::string m_strTag;
    CStringArray m_names;
    CStringArray m_values;
};
