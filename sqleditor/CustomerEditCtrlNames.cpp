// Completion in the SQL editor: the name maps built from the main frame's
// lists, the word finders that decide which name stands before the caret,
// and the typing dispatch that prepares member lists and parameter tips and
// opens the list of names beginning with the word being typed.
#include "sqleditor/CustomerEditCtrl.h"

#include <cstring>

#include "editctrl/KtvPIntelliSenseData.h"
#include "platform/win32/kernel/CrtCompat.h"
#include "sqleditor/CustomerEditCtrlServer.h"
#include "sqleditor/SqlNames.h"

// ---------------------------------------------------------------- shared with members and tips

namespace tw::sqleditor {

CString CurrentDatabaseName()
{
    CKtvPToolbarComboBoxButton* pCombo = CMainFrame::GetDatabaseCombo();
    if (pCombo == nullptr)
        return CString();
    LPCTSTR lpszItem = pCombo->GetItem();
    return CString(lpszItem != nullptr ? lpszItem : "");
}

CString SqlDottedName(const CString& strDotted)
{
    CString strResult;
    int nStart = 0;
    for (;;) {
        const int nDot = strDotted.Find('.', nStart);
        const CString strPart = nDot < 0 ? strDotted.Mid(nStart) : strDotted.Mid(nStart, nDot - nStart);
        // An empty owner ("db..name") stays empty: the server takes its default.
        if (!strPart.IsEmpty())
            strResult += SqlQuoteName(strPart);
        if (nDot < 0)
            return strResult;
        strResult += '.';
        nStart = nDot + 1;
    }
}

CString LastNamePart(const CString& strDotted)
{
    const int nDot = strDotted.ReverseFind('.');
    return nDot < 0 ? strDotted : strDotted.Mid(nDot + 1);
}

namespace {

constexpr CompletionObjectType kCompletionObjectTypes[] = {
    {"U", "Table", CompletionTable},          {"S", "Table", CompletionTable},
    {"TR", "Trigger", CompletionTrigger},     {"K", "Key", CompletionKey},
    {"C", "Check", CompletionCheck},          {"V", "View", CompletionView},
    {"P", "Procedure", CompletionProcedure},  {"RF", "Procedure", CompletionProcedure},
    {"X", "XPProcedure", CompletionXPProcedure}, {"FN", "Function", CompletionFunction},
    {"IF", "Function", CompletionFunction},   {"TF", "Function", CompletionFunction},
    {"R", "Rule", CompletionRule},            {"D", "Default", CompletionDefault},
};

} // namespace

const CompletionObjectType* CompletionTypeOf(const CString& strType)
{
    for (const CompletionObjectType& row : kCompletionObjectTypes) {
        if (strType == row.type)
            return &row;
    }
    return nullptr;
}

CString CompletionTypeText(CString strType)
{
    strType.MakeUpper();
    strType.TrimLeft(' ');
    strType.TrimRight(" \t");
    return strType;
}

CString CompletionObjectsStatement(LPCTSTR lpszDatabase)
{
    CString strSQL = "use " + SqlQuoteName(lpszDatabase, TRUE);
    strSQL += ";select name,xtype,type from sysobjects where (status > 0 and (";
    strSQL += "type = 'U' or type = 'S' or type = 'TR' or type = 'K' or ";
    strSQL += "type = 'C' or type = 'V' or type = 'P' or type = 'RF' or ";
    strSQL += "type = 'X' or type = 'FN' or type = 'IF' or type = 'TF' or ";
    strSQL += "type = 'R' or type = 'D')) or (status < 0 and type in ('C','D','F','L','K','TR'));";
    return strSQL;
}

CString RecordsetFieldText(ADODB::_Recordset* pRecordset, LPCTSTR lpszField)
{
    const _variant_t value = pRecordset->GetCollect(lpszField);
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return CString();
    return CString(static_cast<const char*>(_bstr_t(value)));
}

int KnownObjectCode(CCustomerEditCtrl& edit, const CString& strLowerName)
{
    if (strLowerName.IsEmpty() || !edit.IsKnownObject(strLowerName))
        return CompletionNone;
    void* pValue = nullptr;
    if (edit.m_mapObjectTypes.Lookup(strLowerName, pValue))
        return static_cast<int>(reinterpret_cast<INT_PTR>(pValue));
    if (strLowerName.Find('.') >= 0 && edit.m_mapObjectTypes.Lookup(LastNamePart(strLowerName), pValue))
        return static_cast<int>(reinterpret_cast<INT_PTR>(pValue));
    return CompletionNone;
}

KeystrokeQueryScope::KeystrokeQueryScope(CMainFrame* pFrame)
{
    if (pFrame == nullptr || !pFrame->m_SQLServer)
        return;
    m_server = pFrame->m_SQLServer;
    m_nOldTimeout = m_server->GetQueryTimeout();
    m_server->PutQueryTimeout(kKeystrokeQueryTimeout);
}

KeystrokeQueryScope::~KeystrokeQueryScope()
{
    if (m_server)
        m_server->PutQueryTimeout(m_nOldTimeout);
}

} // namespace tw::sqleditor

// ---------------------------------------------------------------- name maps

namespace {

struct NameMapGroupCode {
    const char* group;
    int code;
};

constexpr NameMapGroupCode kNameMapGroupCodes[] = {
    {"Table", CompletionTable},         {"View", CompletionView},       {"Procedure", CompletionProcedure},
    {"Function", CompletionFunction},   {"Rule", CompletionRule},       {"Default", CompletionDefault},
    {"Trigger", CompletionTrigger},     {"Key", CompletionKey},         {"Check", CompletionCheck},
    {"XPProcedure", CompletionXPProcedure}, {"Additional", CompletionAdditional},
};

int NameMapCodeOfGroup(const CString& strGroup)
{
    for (const NameMapGroupCode& row : kNameMapGroupCodes) {
        if (strGroup == row.group)
            return row.code;
    }
    return CompletionNone;
}

void EnterName(CCustomerEditCtrl& edit, CString strKey, int nCode)
{
    strKey.MakeLower();
    edit.m_mapKnownNames.SetAt(strKey, nullptr);
    edit.m_mapObjectTypes.SetAt(strKey, reinterpret_cast<void*>(static_cast<INT_PTR>(nCode)));
}

// Between the steps of a rebuild the member list holds only the name of the
// group just entered, with its code.
void NoteGroup(CCustomerEditCtrl& edit, LPCTSTR lpszGroup, int nCode)
{
    edit.m_mapMemberList.RemoveAll();
    CString strCode;
    strCode.Format("%d", nCode);
    edit.m_mapMemberList.SetAt(lpszGroup, strCode);
}

int StoredCode(const CCustomerEditCtrl& edit, const CString& strLowerKey)
{
    void* pValue = nullptr;
    if (!edit.m_mapObjectTypes.Lookup(strLowerKey, pValue))
        return CompletionNone;
    return static_cast<int>(reinterpret_cast<INT_PTR>(pValue));
}

bool IsObjectWithMembersOrParameters(int nCode)
{
    return nCode == CompletionTable || nCode == CompletionView || nCode == CompletionProcedure ||
           nCode == CompletionFunction;
}

} // namespace

void CCustomerEditCtrl::RebuildNameMaps()
{
    CString strCurrent = tw::sqleditor::CurrentDatabaseName();
    strCurrent.MakeLower();
    m_mapKnownNames.RemoveAll();
    m_mapObjectTypes.RemoveAll();
    if (m_pMainFrame == nullptr)
        return;
    CMainFrame& frame = *m_pMainFrame;

    // The objects of the current database and the reserved words. An entry
    // the three parallel lists do not all carry is skipped.
    POSITION posDB = frame.m_DBList.GetHeadPosition();
    POSITION posType = frame.m_TypeList.GetHeadPosition();
    POSITION posObject = frame.m_ObjectList.GetHeadPosition();
    CString strLastGroup;
    while (posDB != nullptr && posType != nullptr && posObject != nullptr) {
        CString strDB = frame.m_DBList.GetNext(posDB);
        const CString& strGroup = frame.m_TypeList.GetNext(posType);
        const CString& strObject = frame.m_ObjectList.GetNext(posObject);
        strDB.MakeLower();
        if (strDB != strCurrent && strDB != "tarnwickadditionaldb")
            continue;
        // Names carry a trailing full stop in the list.
        const int nCode = NameMapCodeOfGroup(strGroup);
        if (strObject.IsEmpty())
            continue;
        EnterName(*this, strObject.Left(strObject.GetLength() - 1), nCode);
        strLastGroup = strGroup;
    }
    if (!strLastGroup.IsEmpty())
        NoteGroup(*this, strLastGroup, NameMapCodeOfGroup(strLastGroup));

    for (POSITION pos = frame.m_DatabaseList.GetHeadPosition(); pos != nullptr;)
        EnterName(*this, frame.m_DatabaseList.GetNext(pos) + ".", CompletionDatabase);
    NoteGroup(*this, "Database", CompletionDatabase);
    for (POSITION pos = frame.m_DBUserList.GetHeadPosition(); pos != nullptr;)
        EnterName(*this, frame.m_DBUserList.GetNext(pos) + ".", CompletionDBUser);
    NoteGroup(*this, "DBUser", CompletionDBUser);
    for (POSITION pos = frame.m_DatabaseList.GetHeadPosition(); pos != nullptr;)
        EnterName(*this, frame.m_DatabaseList.GetNext(pos) + "..", CompletionDatabaseOther);
    NoteGroup(*this, "DatabaseOther", CompletionDatabaseOther);
    for (POSITION pos = frame.m_DatabaseList.GetHeadPosition(); pos != nullptr;) {
        const CString& strDatabase = frame.m_DatabaseList.GetNext(pos);
        for (POSITION posUser = frame.m_DBUserList.GetHeadPosition(); posUser != nullptr;)
            EnterName(*this, strDatabase + "." + frame.m_DBUserList.GetNext(posUser) + ".",
                      CompletionDatabaseUser);
    }
    NoteGroup(*this, "DatabaseUser", CompletionDatabaseUser);

    AddBuiltinNames();
    if (strCurrent == "msdb")
        AddMsdbNames();
}

BOOL CCustomerEditCtrl::IsKnownObject(LPCTSTR lpszName)
{
    if (!m_bEnableIntelliSense || lpszName == nullptr)
        return FALSE;
    CString strKey(lpszName);
    strKey.MakeLower();
    void* pValue = nullptr;
    if (m_mapKnownNames.Lookup(strKey, pValue))
        return TRUE;
    // A qualified table, view or routine is known by its own name.
    if (strKey.Find('.') < 0)
        return FALSE;
    const CString strLast = tw::sqleditor::LastNamePart(strKey);
    return !strLast.IsEmpty() && m_mapKnownNames.Lookup(strLast, pValue) &&
           IsObjectWithMembersOrParameters(StoredCode(*this, strLast));
}

// ---------------------------------------------------------------- word finders

namespace {

bool IsEditorBlank(const CCustomerEditCtrl& edit, char ch)
{
    return ch != '\0' && edit.m_strBlanks.Find(ch) >= 0;
}

// A bracketed name ("[a]]b]" is a]b) that ends with the "]" at nClose: its
// "[" and its text. Found by reading the row from its start, so brackets
// inside string literals and other names are not mistaken for it.
bool BracketedNameEndingAt(LPCTSTR lpszText, int nLength, int nClose, int& nOpen, CString& strName)
{
    if (nClose < 0 || nClose >= nLength || lpszText[nClose] != ']')
        return false;
    int i = nClose;
    while (i > 0 && lpszText[i - 1] != '\n')
        --i;
    while (i <= nClose) {
        const char ch = lpszText[i];
        if (ch != '[' && ch != '\'') {
            ++i;
            continue;
        }
        const char chEnd = ch == '[' ? ']' : '\'';
        CString strInside;
        int j = i + 1;
        for (; j < nLength; ++j) {
            if (lpszText[j] != chEnd) {
                strInside += lpszText[j];
                continue;
            }
            if (j + 1 < nLength && lpszText[j + 1] == chEnd) {
                strInside += chEnd;
                ++j;
                continue;
            }
            break;
        }
        if (ch == '[' && j == nClose) {
            nOpen = i;
            strName = strInside;
            return true;
        }
        if (j > nClose)
            return false;
        i = j + 1;
    }
    return false;
}

// The name that ends at or around nOffset: a bracketed name closing there,
// or the word the control's delimiters give. FALSE when there is none.
bool NameAt(CCustomerEditCtrl& edit, LPCTSTR lpszText, int nLength, int nOffset, int& nStart, CString& strName)
{
    if (nLength == 0)
        return false;
    int nPos = nOffset < 0 ? 0 : (nOffset > nLength - 1 ? nLength - 1 : nOffset);
    while (nPos > 0 && IsEditorBlank(edit, lpszText[nPos]))
        --nPos;
    int nOpen = -1;
    if (BracketedNameEndingAt(lpszText, nLength, nPos, nOpen, strName)) {
        nStart = nOpen;
        return true;
    }
    int nEnd = -1;
    if (!edit.GetWordBoundsAt(nOffset, lpszText, nStart, nEnd) || nStart < 0 || nStart >= nEnd)
        return false;
    strName = CString(lpszText + nStart, nEnd - nStart);
    return true;
}

struct NameWalk {
    CString strResult;
    CString strConnector;
    // Where a further walk would start: just before the name found.
    int nStop = -1;
    bool bRanOffStart = false;
};

// Walks back from nOffset over a dotted name: a typed trigger character at
// the offset joins it at the end, full stops join its parts (several in a row
// stand for empty parts, as in "db..name"), a blank or any other character
// ends it.
NameWalk WalkDottedName(CCustomerEditCtrl& edit, LPCTSTR lpszText, int nOffset, const CString& strConnector)
{
    const int nLength = static_cast<int>(std::strlen(lpszText));
    NameWalk walk;
    walk.strConnector = strConnector;
    TCHAR chTrigger = 0;
    if (edit.FindTipTrigger(lpszText, nOffset, chTrigger)) {
        walk.strConnector = CString(chTrigger) + walk.strConnector;
        if (nOffset < 0) {
            walk.bRanOffStart = true;
            walk.strResult = walk.strConnector;
            return walk;
        }
    }
    for (;;) {
        while (nOffset >= 0 && nOffset < nLength && lpszText[nOffset] == '.') {
            walk.strConnector = "." + walk.strConnector;
            --nOffset;
        }
        int nStart = -1;
        CString strName;
        if (nOffset < 0 || !NameAt(edit, lpszText, nLength, nOffset, nStart, strName)) {
            walk.nStop = nOffset;
            walk.bRanOffStart = nOffset < 0;
            break;
        }
        walk.strResult = strName + walk.strConnector + walk.strResult;
        walk.strConnector.Empty();
        nOffset = nStart - 1;
        while (nOffset >= 0 && IsEditorBlank(edit, lpszText[nOffset]))
            --nOffset;
        walk.nStop = nOffset;
        if (nOffset < 0) {
            walk.bRanOffStart = true;
            break;
        }
        if (lpszText[nOffset] != '.')
            break;
    }
    walk.strResult = walk.strConnector + walk.strResult;
    return walk;
}

} // namespace

BOOL CCustomerEditCtrl::FindTipTrigger(LPCTSTR lpszText, int& nOffset, TCHAR& chTrigger)
{
    if (lpszText == nullptr)
        return FALSE;
    const int nLength = static_cast<int>(std::strlen(lpszText));
    const int nAt = nOffset < 0 ? 0 : nOffset;
    if (nAt >= nLength)
        return FALSE;
    const char ch = lpszText[nAt];
    if (ch != '.' && ch != '(' && ch != ' ' && ch != '[')
        return FALSE;
    chTrigger = ch;
    --nOffset;
    return TRUE;
}

BOOL CCustomerEditCtrl::GetQualifiedNameAt(LPCTSTR lpszText, int nOffset, CString& strName)
{
    if (lpszText == nullptr)
        return FALSE;
    const NameWalk walk = WalkDottedName(*this, lpszText, nOffset, CString());
    if (walk.strResult.IsEmpty())
        return FALSE;
    strName = walk.strResult;
    return TRUE;
}

BOOL CCustomerEditCtrl::GetPrevQualifiedName(LPCTSTR lpszText, int nOffset, CString& strName)
{
    if (lpszText == nullptr)
        return FALSE;
    const NameWalk first = WalkDottedName(*this, lpszText, nOffset, CString());
    // Off the text's start, the name before is the text's first word.
    const int nFrom = first.bRanOffStart ? 0 : first.nStop;
    const NameWalk second = WalkDottedName(*this, lpszText, nFrom, first.bRanOffStart ? CString() : first.strConnector);
    if (second.strResult.IsEmpty())
        return FALSE;
    strName = second.strResult;
    return TRUE;
}

BOOL CCustomerEditCtrl::FindWordBeforePos(LPCTSTR lpszText, int& nOffset, CString& strWord)
{
    if (!m_bEnableIntelliSense || lpszText == nullptr)
        return FALSE;
    strWord.Empty();
    const int nLength = static_cast<int>(std::strlen(lpszText));
    int i = (nOffset > nLength ? nLength : nOffset) - 1;
    while (i >= 0 && IsEditorBlank(*this, lpszText[i]) && m_strIntelliSenseChars.Find(lpszText[i]) < 0)
        --i;
    if (i < 0)
        return FALSE;
    CString strName;
    const BOOL bFound = GetQualifiedNameAt(lpszText, i, strName);
    if (bFound)
        strWord = strName;
    if (bFound && IsKnownObject(strName)) {
        nOffset = i + 1;
        return TRUE;
    }
    CString strPrevious;
    if (GetPrevQualifiedName(lpszText, i, strPrevious) && IsKnownObject(strPrevious)) {
        nOffset = i + 1;
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------- lists

BOOL CCustomerEditCtrl::FillIntelliSenseList(CObList& list, LPCTSTR lpszWord)
{
    const CString strText = GetText();
    if (lpszWord == nullptr) {
        int nOffset = m_nCaretOffset;
        CString strFound;
        if (!FindWordBeforePos(strText, nOffset, strFound))
            return FALSE;
        return FillIntelliSenseList(list, strFound);
    }
    CString strBefore;
    int nOffset = m_nCaretOffset;
    FindWordBeforePos(strText, nOffset, strBefore);
    nOffset -= strBefore.GetLength();
    FindWordBeforePos(strText, nOffset, strBefore);
    strBefore.MakeLower();
    CString strWord(lpszWord);
    const CString strWithoutLast = strWord.IsEmpty() ? strWord : strWord.Left(strWord.GetLength() - 1);
    if (!m_bEnableIntelliSense || (!IsKnownObject(strWithoutLast) && !IsKnownObject(strBefore)))
        return FALSE;
    KtvPDeleteIntelliSenseItems(list);
    AddMemberListItems(list);
    return TRUE;
}

namespace {

// The dotted name that ends just before the character at nTyped (the one
// just typed), without that character.
CString NameBeforeTyped(CCustomerEditCtrl& edit, LPCTSTR lpszText, int nTyped)
{
    CString strName;
    if (!edit.GetQualifiedNameAt(lpszText, nTyped, strName) || strName.IsEmpty())
        return CString();
    strName = strName.Left(strName.GetLength() - 1);
    strName.MakeLower();
    return strName;
}

CString PreviousName(CCustomerEditCtrl& edit, LPCTSTR lpszText, int nTyped)
{
    const NameWalk typed = WalkDottedName(edit, lpszText, nTyped, CString());
    if (typed.bRanOffStart)
        return CString();
    NameWalk previous = WalkDottedName(edit, lpszText, typed.nStop, CString());
    previous.strResult.MakeLower();
    // "from orders as o": the alias follows the word "as".
    if (previous.strResult == "as" && !previous.bRanOffStart) {
        previous = WalkDottedName(edit, lpszText, previous.nStop, CString());
        previous.strResult.MakeLower();
    }
    return previous.strResult;
}

int CodeOfName(CCustomerEditCtrl& edit, const CString& strLower)
{
    return tw::sqleditor::KnownObjectCode(edit, strLower);
}

bool IsTableOrView(int nCode)
{
    return nCode == CompletionTable || nCode == CompletionView;
}

bool IsRoutine(int nCode)
{
    return nCode == CompletionProcedure || nCode == CompletionFunction;
}

bool IsQualifierKey(int nCode)
{
    return nCode >= CompletionDatabase && nCode <= CompletionDatabaseUser;
}

} // namespace

// The table or view an alias stands for where the text defines it ("from
// orders o", "join orders as o"), so that the alias's members are known
// wherever it is used; "" when no definition is found.
static CString AliasedTable(CCustomerEditCtrl& edit, LPCTSTR lpszText, const CString& strAlias)
{
    const int nLength = static_cast<int>(std::strlen(lpszText));
    const int nAlias = strAlias.GetLength();
    auto isBoundary = [&](int i) {
        return i < 0 || i >= nLength || edit.m_strWordDelimiters.Find(lpszText[i]) >= 0;
    };
    for (int i = 0; i + nAlias <= nLength; ++i) {
        if (!isBoundary(i - 1) || !isBoundary(i + nAlias) || _strnicmp(lpszText + i, strAlias, nAlias) != 0)
            continue;
        // A use ("o.") is not a definition.
        if (i + nAlias < nLength && lpszText[i + nAlias] == '.')
            continue;
        const CString strTable = PreviousName(edit, lpszText, i + nAlias - 1);
        if (IsTableOrView(CodeOfName(edit, strTable)))
            return strTable;
    }
    return CString();
}

// A full stop behind a table or view (bare or qualified), behind an alias
// that follows one, or behind a database or owner name prepares its members.
static void PrepareMembersAfterFullStop(CCustomerEditCtrl& edit, LPCTSTR lpszText, int nTyped)
{
    const CString strName = NameBeforeTyped(edit, lpszText, nTyped);
    CString strQualifier;
    if (IsTableOrView(CodeOfName(edit, strName))) {
        strQualifier = strName;
    } else if (!strName.IsEmpty() && IsQualifierKey(CodeOfName(edit, strName + "."))) {
        strQualifier = strName + ".";
    } else if (!strName.IsEmpty() && strName.Find('.') < 0) {
        const CString strPrevious = PreviousName(edit, lpszText, nTyped);
        if (IsTableOrView(CodeOfName(edit, strPrevious)))
            strQualifier = strPrevious;
        else
            strQualifier = AliasedTable(edit, lpszText, strName);
    }
    if (strQualifier.IsEmpty())
        return;
    edit.FillMemberList(strQualifier);
    if (!edit.m_mapMemberList.IsEmpty())
        edit.m_nPreparedOffer = CCustomerEditCtrl::OfferMemberList;
}

// "(", a blank or "[" behind a procedure or function prepares its tip; the
// routine typed wins over a routine named before it.
static void PrepareTipAfterTrigger(CCustomerEditCtrl& edit, LPCTSTR lpszText, int nTyped, UINT nChar)
{
    // A blank opens a tip only right behind the routine's name.
    if (nChar == ' ' && (nTyped == 0 || IsEditorBlank(edit, lpszText[nTyped - 1]) ||
                         (edit.m_strWordDelimiters.Find(lpszText[nTyped - 1]) >= 0 && lpszText[nTyped - 1] != ']')))
        return;
    CString strRoutine = NameBeforeTyped(edit, lpszText, nTyped);
    if (!IsRoutine(CodeOfName(edit, strRoutine))) {
        strRoutine.Empty();
        if (nChar != ' ') {
            const CString strPrevious = PreviousName(edit, lpszText, nTyped);
            if (IsRoutine(CodeOfName(edit, strPrevious)))
                strRoutine = strPrevious;
        }
    }
    if (strRoutine.IsEmpty())
        return;
    const int bProcedureBefore = edit.m_bProcedureTip;
    const int bFunctionBefore = edit.m_bFunctionTip;
    edit.m_bProcedureTip = edit.m_bFunctionTip = 0;
    edit.GetProcParams(strRoutine);
    if (!edit.m_mapMemberList.IsEmpty() && (edit.m_bProcedureTip || edit.m_bFunctionTip)) {
        // The new tip replaces an open one: the kind is the new routine's alone.
        edit.m_nPreparedOffer = CCustomerEditCtrl::OfferFuncTip;
        return;
    }
    // Nothing to show: a tip already open keeps its kind.
    edit.m_bProcedureTip = bProcedureBefore;
    edit.m_bFunctionTip = bFunctionBefore;
}

// The known names that begin with the word at the caret, once it has three
// characters.
static void ShowPrefixList(CCustomerEditCtrl& edit, LPCTSTR lpszText, int nOffset)
{
    CString strWord;
    if (!edit.GetQualifiedNameAt(lpszText, nOffset, strWord) || strWord.GetLength() <= 2)
        return;
    strWord.MakeLower();
    CObList list;
    POSITION pos = edit.m_mapKnownNames.GetStartPosition();
    while (pos != nullptr) {
        CString strKey;
        void* pValue = nullptr;
        edit.m_mapKnownNames.GetNextAssoc(pos, strKey, pValue);
        if (_strnicmp(strKey, strWord, static_cast<size_t>(strWord.GetLength())) != 0)
            continue;
        auto* pItem = new CKtvPIntelliSenseData;
        pItem->m_strText = strKey;
        pItem->m_nImage = 1;
        list.AddTail(pItem);
    }
    if (!list.IsEmpty()) {
        POINT pt{};
        edit.OffsetToPoint(nOffset, pt);
        ::ClientToScreen(edit.m_hWnd, &pt);
        edit.ShowIntelliSenseWnd(list, pt.x, pt.y);
    }
    KtvPDeleteIntelliSenseItems(list);
}

BOOL CCustomerEditCtrl::OnIntelliSenseChar(LPCTSTR lpszText, int nOffset, UINT nChar, CString& /*strReplacement*/)
{
    if (!m_bEnableIntelliSense || lpszText == nullptr)
        return FALSE;
    const int nLength = static_cast<int>(std::strlen(lpszText));
    if (nOffset < 1 || nOffset > nLength)
        return FALSE;
    const int nTyped = nOffset - 1;
    if (nChar == '.' || nChar == ' ' || nChar == '(' || nChar == '[') {
        // What a list after this character shows is prepared now or not at all.
        m_mapMemberList.RemoveAll();
        if (nChar != '.') {
            PrepareTipAfterTrigger(*this, lpszText, nTyped, nChar);
            return FALSE;
        }
        PrepareMembersAfterFullStop(*this, lpszText, nTyped);
        if (m_nPreparedOffer != OfferNone)
            return FALSE;
    }
    ShowPrefixList(*this, lpszText, nOffset);
    return FALSE;
}
