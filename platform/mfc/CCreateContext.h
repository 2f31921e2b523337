// What a frame is told when it is made for a document: the view class to
// create in it, the document to attach, and where the request came from.
#pragma once

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;
struct CRuntimeClass;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
