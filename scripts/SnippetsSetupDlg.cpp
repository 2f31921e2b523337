#include "scripts/SnippetsSetupDlg.h"

#include "app/RegistryXml.h"
#include "app/XmlElement.h"
#include "platform/comctl/commctrl.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"
#include "scripts/RegistryKeyMove.h"
#include "scripts/SnippetNameDlg.h"
#include "scripts/SnippetStore.h"
#include "ui/frames/KtvPRegistry.h"

namespace {
constexpr const char* kSetupSnippetFile = ".//data//SnsDap.dll";
constexpr const char* kSetupSelectNode = "Select item in the left tree,please";
}  // namespace

BEGIN_MESSAGE_MAP(CSnippetsSetupDlg, CKtvPDialog)
    ON_BN_CLICKED(IDC_CONTENT_CHOICE, OnContentChoice)
    ON_BN_CLICKED(IDC_FILE_CHOICE, OnFileChoice)
    ON_BN_CLICKED(IDC_SAVE, OnSave)
    ON_BN_CLICKED(IDC_ADD_PAGE, OnAddPage)
    ON_BN_CLICKED(IDC_ADD_ITEM, OnAddItem)
    ON_BN_CLICKED(IDC_DROP, OnDrop)
    ON_NOTIFY(TVN_SELCHANGED, IDC_TREE, OnSelChanged)
    ON_BN_CLICKED(IDC_RENAME, OnRename)
    ON_EN_KILLFOCUS(IDC_CONTENT, OnContentKillFocus)
    ON_EN_KILLFOCUS(IDC_FILE, OnFileKillFocus)
    ON_EN_KILLFOCUS(IDC_COMMENT, OnCommentKillFocus)
END_MESSAGE_MAP()

CSnippetsSetupDlg::CSnippetsSetupDlg(CWnd* pParent) : CKtvPDialog(IDD, pParent) {}

void CSnippetsSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CKtvPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TREE, m_wndTree);
    DDX_Control(pDX, IDC_FILE_CHOICE, m_wndFileChoice);
    DDX_Control(pDX, IDC_CONTENT_CHOICE, m_wndContentChoice);
    DDX_Control(pDX, IDC_NAME, m_wndName);
    DDX_Control(pDX, IDC_CONTENT, m_wndContent);
    DDX_Control(pDX, IDC_FILE, m_wndFile);
    DDX_Control(pDX, IDC_COMMENT, m_wndComment);
}

BOOL CSnippetsSetupDlg::OnInitDialog()
{
    CKtvPDialog::OnInitDialog();
    ShowChoice(FALSE);
    LoadTree();
    return TRUE;
}

void CSnippetsSetupDlg::LoadTree()
{
    m_hRoot = m_wndTree.InsertItem("Snippet Item");
    {
        CXmlReader reader;
        ImportRegistryFromXml(reader, kSetupSnippetFile);
    }
    if (!CKtvPRegistry(FALSE, TRUE).VerifyKey(snippets::kRootKey))
        CKtvPRegistry(FALSE, FALSE).CreateKey(snippets::kRootKey);
    LoadKey(snippets::kRootKey, "Snippets", nullptr);
}

BOOL CSnippetsSetupDlg::LoadKey(LPCTSTR lpszKeyPath, LPCTSTR lpszLabel, HTREEITEM hParent)
{
    const HTREEITEM hNode = hParent != nullptr ? m_wndTree.InsertItem(lpszLabel, hParent) : m_hRoot;
    CStringArray names;
    {
        CKtvPRegistry registry(FALSE, TRUE);
        if (registry.Open(lpszKeyPath))
            registry.ReadSubKeys(names);
    }
    for (INT_PTR i = 0; i < names.GetSize(); i++)
        LoadKey(CString(lpszKeyPath) + "\\" + names[i], names[i], hNode);
    return TRUE;
}

bool CSnippetsSetupDlg::IsPage(HTREEITEM hItem) const
{
    return hItem != nullptr && hItem != m_hRoot && m_wndTree.GetParentItem(hItem) == m_hRoot;
}

bool CSnippetsSetupDlg::IsItem(HTREEITEM hItem) const
{
    return hItem != nullptr && hItem != m_hRoot && !IsPage(hItem);
}

void CSnippetsSetupDlg::ShowChoice(BOOL bFile)
{
    m_wndContentChoice.SetCheck(bFile ? BST_UNCHECKED : BST_CHECKED);
    m_wndFileChoice.SetCheck(bFile ? BST_CHECKED : BST_UNCHECKED);
    m_wndContent.EnableWindow(!bFile);
    m_wndFile.EnableWindow(bFile);
}

void CSnippetsSetupDlg::ShowNode(HTREEITEM hItem)
{
    m_hShown = IsItem(hItem) ? hItem : nullptr;
    m_strShownContent.Empty();
    m_strShownFile.Empty();
    m_strShownComment.Empty();
    m_wndName.SetWindowText(hItem != nullptr && hItem != m_hRoot ? m_wndTree.GetItemText(hItem) : CString());
    if (m_hShown == nullptr) {
        m_wndContentChoice.SetCheck(BST_UNCHECKED);
        m_wndFileChoice.SetCheck(BST_UNCHECKED);
        m_wndContent.EnableWindow(FALSE);
        m_wndFile.EnableWindow(FALSE);
    } else {
        const CString item = m_wndTree.GetItemText(hItem);
        CKtvPRegistry registry(FALSE, TRUE);
        DWORD dwOpt = 0;
        if (registry.Open(snippets::ItemKey(m_wndTree.GetItemText(m_wndTree.GetParentItem(hItem)), item))) {
            if (!registry.Read(item + snippets::kOptSuffix, dwOpt))
                dwOpt = 0;
            registry.Read(item + snippets::kContentSuffix, m_strShownContent);
            registry.Read(item + snippets::kFileSuffix, m_strShownFile);
            registry.Read(item + snippets::kCommentSuffix, m_strShownComment);
        }
        ShowChoice(dwOpt != 0);
        // The value of the other choice stays stored but is not shown.
        if (dwOpt != 0)
            m_strShownContent.Empty();
        else
            m_strShownFile.Empty();
    }
    m_wndContent.SetWindowText(m_strShownContent);
    m_wndFile.SetWindowText(m_strShownFile);
    m_wndComment.SetWindowText(m_strShownComment);
}

void CSnippetsSetupDlg::OnSelChanged(NMHDR*, LRESULT* pResult)
{
    ShowNode(m_wndTree.GetSelectedItem());
    *pResult = 0;
}

void CSnippetsSetupDlg::WriteChoice(BOOL bFile)
{
    if (m_hShown == nullptr)
        return;
    const CString item = m_wndTree.GetItemText(m_hShown);
    CKtvPRegistry registry(FALSE, FALSE);
    if (registry.Open(snippets::ItemKey(m_wndTree.GetItemText(m_wndTree.GetParentItem(m_hShown)), item)))
        registry.Write(item + snippets::kOptSuffix, DWORD(bFile ? 1 : 0));
}

void CSnippetsSetupDlg::OnContentChoice()
{
    const BOOL bChosen = m_wndContentChoice.GetCheck() == BST_CHECKED;
    ShowChoice(!bChosen);
    if (bChosen)
        WriteChoice(FALSE);
}

void CSnippetsSetupDlg::OnFileChoice()
{
    const BOOL bChosen = m_wndFileChoice.GetCheck() == BST_CHECKED;
    ShowChoice(bChosen);
    if (bChosen)
        WriteChoice(TRUE);
}

void CSnippetsSetupDlg::WriteEdit(CEdit& edit, const char* suffix, CString& strShown)
{
    if (m_hShown == nullptr)
        return;
    CString text;
    edit.GetWindowText(text);
    if (text == strShown)
        return;
    const CString item = m_wndTree.GetItemText(m_hShown);
    CKtvPRegistry registry(FALSE, FALSE);
    if (registry.Open(snippets::ItemKey(m_wndTree.GetItemText(m_wndTree.GetParentItem(m_hShown)), item)) &&
        registry.Write(item + suffix, text))
        strShown = text;
    else
        AfxMessageBox("Failed");
}

void CSnippetsSetupDlg::OnContentKillFocus() { WriteEdit(m_wndContent, snippets::kContentSuffix, m_strShownContent); }
void CSnippetsSetupDlg::OnFileKillFocus() { WriteEdit(m_wndFile, snippets::kFileSuffix, m_strShownFile); }
void CSnippetsSetupDlg::OnCommentKillFocus() { WriteEdit(m_wndComment, snippets::kCommentSuffix, m_strShownComment); }

void CSnippetsSetupDlg::OnAddPage()
{
    CSnippetNameDlg dlg(this);
    dlg.m_strCaption = "Insert new snippet page";
    dlg.m_strLabel = "New snippet page name:";
    dlg.m_nMode = CSnippetNameDlg::kNewPage;
    if (dlg.DoModal() != IDOK)
        return;
    if (!CKtvPRegistry(FALSE, FALSE).CreateKey(snippets::PageKey(dlg.m_strName))) {
        AfxMessageBox("Failed");
        return;
    }
    // The new page becomes the selection, so the edits belong to it.
    const HTREEITEM hPage = m_wndTree.InsertItem(dlg.m_strName, m_hRoot);
    m_wndTree.SelectItem(hPage);
    ShowNode(hPage);
}

void CSnippetsSetupDlg::OnAddItem()
{
    const HTREEITEM hSelected = m_wndTree.GetSelectedItem();
    if (hSelected == nullptr) {
        AfxMessageBox(kSetupSelectNode);
        return;
    }
    if (!IsPage(hSelected)) {
        AfxMessageBox("Select a parent page in the left tree,please");
        return;
    }
    const CString page = m_wndTree.GetItemText(hSelected);
    CSnippetNameDlg dlg(this);
    dlg.m_strCaption = "Insert new item in the [" + page + "]";
    dlg.m_strLabel = "New snippet item name:";
    dlg.m_nMode = CSnippetNameDlg::kNewItem;
    dlg.m_strContext = page;
    if (dlg.DoModal() != IDOK)
        return;
    if (!CKtvPRegistry(FALSE, FALSE).CreateKey(snippets::ItemKey(page, dlg.m_strName))) {
        AfxMessageBox("Failed");
        return;
    }
    const HTREEITEM hItem = m_wndTree.InsertItem(dlg.m_strName, hSelected);
    m_wndTree.SelectItem(hItem);
    ShowNode(hItem);
}

void CSnippetsSetupDlg::OnDrop()
{
    const HTREEITEM hSelected = m_wndTree.GetSelectedItem();
    if (hSelected == nullptr) {
        AfxMessageBox(kSetupSelectNode);
        return;
    }
    if (hSelected == m_hRoot) {
        // The tree empties; the registry keeps the snippets.
        m_wndTree.DeleteAllItems();
        m_hRoot = nullptr;
        ShowNode(nullptr);
        return;
    }
    CString key;
    if (IsPage(hSelected)) {
        key = snippets::PageKey(m_wndTree.GetItemText(hSelected));
        if (m_wndTree.ItemHasChildren(hSelected) &&
            AfxMessageBox("The selected item has child items,do you want to delete all items?", MB_YESNO) != IDYES)
            return;
    } else {
        key = snippets::ItemKey(m_wndTree.GetItemText(m_wndTree.GetParentItem(hSelected)),
                                m_wndTree.GetItemText(hSelected));
    }
    if (!CKtvPRegistry(FALSE, FALSE).DeleteKey(key)) {
        AfxMessageBox("Failed");
        return;
    }
    m_hShown = nullptr;
    m_wndTree.DeleteItem(hSelected);
    ShowNode(m_wndTree.GetSelectedItem());
}

void CSnippetsSetupDlg::OnRename()
{
    const HTREEITEM hSelected = m_wndTree.GetSelectedItem();
    if (hSelected == nullptr || hSelected == m_hRoot)
        return;
    const CString oldName = m_wndTree.GetItemText(hSelected);
    CSnippetNameDlg dlg(this);
    dlg.m_strContext = oldName;
    CString page;
    if (IsPage(hSelected)) {
        dlg.m_strCaption = "rename page---[" + oldName + "]";
        dlg.m_strLabel = "New snippet page name:";
        dlg.m_nMode = CSnippetNameDlg::kRenamePage;
    } else {
        page = m_wndTree.GetItemText(m_wndTree.GetParentItem(hSelected));
        dlg.m_strCaption = "rename item---[" + oldName + "]";
        dlg.m_strLabel = "New snippet item name:";
        dlg.m_nMode = CSnippetNameDlg::kRenameItem;
        dlg.m_strPage = page;
    }
    if (dlg.DoModal() != IDOK || dlg.m_strName == oldName)
        return;
    const BOOL bMoved = page.IsEmpty()
                            ? scripts::MoveRegistryKey(snippets::PageKey(oldName), snippets::PageKey(dlg.m_strName))
                            : scripts::RenameSnippetItem(page, oldName, dlg.m_strName);
    if (!bMoved) {
        // The old key is kept, so the label stays too.
        AfxMessageBox("Failed");
        return;
    }
    m_wndTree.SetItemText(hSelected, dlg.m_strName);
    m_wndName.SetWindowText(dlg.m_strName);
}

void CSnippetsSetupDlg::OnSave()
{
    if (m_wndTree.GetRootItem() == nullptr)
        return;
    CXmlWriter writer;
    writer.SetFilePath(kSetupSnippetFile);
    CXmlElement registry("registry");
    registry.WriteStartTag(&writer, 1, TRUE, TRUE);
    const BOOL bExported = ExportRegistryToXml(&writer, FALSE, std::string("HKEY_CURRENT_USER\\") + snippets::kRootKey);
    registry.WriteEndTag(&writer, -1, TRUE, TRUE);
    // A failed export discards the writer: the old file stays.
    if (!writer.Close() || !bExported) {
        AfxMessageBox("Failed");
        return;
    }
    AfxMessageBox("Save success.");
    EndDialog(IDOK);
}
