#include "app/XmlElement.h"

#include "app/XmlWriter.h"

namespace xmlelement_detail {
constexpr const char* kLineEnd = "\r\n";
}

CXmlElement::CXmlElement(const std::string& strTag) : m_strTag(strTag) {}

CXmlElement::~CXmlElement() = default;

void CXmlElement::SetAttribute(const std::string& strName, const std::string& strValue)
{
    for (INT_PTR i = 0; i < m_names.GetSize(); ++i) {
        if (strName == m_names[i].GetString()) {
            m_values[i] = strValue.c_str();
            return;
        }
    }
    m_names.Add(strName.c_str());
    m_values.Add(strValue.c_str());
}

std::string CXmlElement::Indentation(const CXmlWriter* pWriter, BOOL bIndent) const
{
    if (!bIndent || pWriter->GetDepth() <= 0)
        return {};
    return std::string(static_cast<size_t>(pWriter->GetDepth()), ' ');
}

std::string CXmlElement::Attributes() const
{
    std::string text;
    for (INT_PTR i = 0; i < m_names.GetSize(); ++i) {
        text += ' ';
        text += m_names[i].GetString();
        text += "=\"";
        text += m_values[i].GetString();
        text += '"';
    }
    return text;
}

BOOL CXmlElement::WriteStartTag(CXmlWriter* pWriter, int nChange, BOOL bIndent, BOOL bNewLine)
{
    pWriter->ChangeDepth(nChange);
    std::string text = Indentation(pWriter, bIndent) + "<" + m_strTag + Attributes() + ">";
    if (bNewLine)
        text += xmlelement_detail::kLineEnd;
    return pWriter->Write(text);
}

BOOL CXmlElement::WriteEmptyElement(CXmlWriter* pWriter, int nChange, BOOL bIndent, BOOL bNewLine)
{
    pWriter->ChangeDepth(nChange);
    std::string text = Indentation(pWriter, bIndent) + "<" + m_strTag + Attributes() + "/>";
    if (bNewLine)
        text += xmlelement_detail::kLineEnd;
    pWriter->ChangeDepth(-nChange);
    return pWriter->Write(text);
}

BOOL CXmlElement::WriteDeclaration(CXmlWriter* pWriter, int nChange)
{
    pWriter->ChangeDepth(nChange);
    const std::string text =
        Indentation(pWriter, TRUE) + "<?" + m_strTag + Attributes() + "?>" + xmlelement_detail::kLineEnd;
    return pWriter->Write(text);
}

BOOL CXmlElement::WriteEndTag(CXmlWriter* pWriter, int nChange, BOOL bIndent, BOOL bNewLine)
{
    std::string text = Indentation(pWriter, bIndent) + "</" + m_strTag + ">";
    if (bNewLine)
        text += xmlelement_detail::kLineEnd;
    pWriter->ChangeDepth(nChange);
    return pWriter->Write(text);
}
