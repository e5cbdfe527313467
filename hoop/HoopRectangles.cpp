// The sew field, inner dimension and outer dimension members: one design over three tables of edge fields.
// An edge of -2147483648 handed to a setter keeps the stored edge.
#include "hoop/HoopRectangles.h"

#include <brevant/INIHoop.h>

namespace {
using WholeGetter = int (CINIHoop::*)(int, CRect*);
using WholeSetter = int (CINIHoop::*)(int, const CRect*);
using RectEdge = int32_t RECT::*;

int GetWhole(HoopCatalogue* catalogue, int hoop, CRect* rect, const HoopRectFields& edges) {
    if (rect == nullptr)
        return 0;
    const HoopRecord* record = FindHoop(catalogue, hoop);
    if (record == nullptr)
        return 0;
    rect->SetRect(record->*edges.left, record->*edges.top, record->*edges.right, record->*edges.bottom);
    return 1;
}

void StoreUnlessKept(int32_t& field, int32_t value) {
    if (value != kKeepStoredValue)
        field = value;
}

int SetWhole(HoopCatalogue* catalogue, int hoop, const CRect* rect, const HoopRectFields& edges) {
    if (rect == nullptr)
        return 0;
    HoopRecord* record = FindHoop(catalogue, hoop);
    if (record == nullptr)
        return 0;
    StoreUnlessKept(record->*edges.left, rect->left);
    StoreUnlessKept(record->*edges.top, rect->top);
    StoreUnlessKept(record->*edges.right, rect->right);
    StoreUnlessKept(record->*edges.bottom, rect->bottom);
    return 1;
}

int GetEdge(CINIHoop& handle, WholeGetter get, int hoop, RectEdge edge) {
    CRect rect;
    if (!(handle.*get)(hoop, &rect))
        return 0;
    return rect.*edge;
}

int SetEdge(CINIHoop& handle, WholeSetter set, int hoop, RectEdge edge, int value) {
    CRect rect(kKeepStoredValue, kKeepStoredValue, kKeepStoredValue, kKeepStoredValue);
    rect.*edge = value;
    return (handle.*set)(hoop, &rect);
}
} // namespace

int CINIHoop::GetHoopSewField(int hoop, CRect* rect) {
    return GetWhole(opCatalogue, hoop, rect, kSewFieldEdges);
}
int CINIHoop::SetHoopSewField(int hoop, const CRect* rect) {
    return SetWhole(opCatalogue, hoop, rect, kSewFieldEdges);
}
int CINIHoop::GetHoopSewFieldLeft(int hoop) {
    return GetEdge(*this, &CINIHoop::GetHoopSewField, hoop, &RECT::left);
}
int CINIHoop::GetHoopSewFieldTop(int hoop) {
    return GetEdge(*this, &CINIHoop::GetHoopSewField, hoop, &RECT::top);
}
int CINIHoop::GetHoopSewFieldRight(int hoop) {
    return GetEdge(*this, &CINIHoop::GetHoopSewField, hoop, &RECT::right);
}
int CINIHoop::GetHoopSewFieldBottom(int hoop) {
    return GetEdge(*this, &CINIHoop::GetHoopSewField, hoop, &RECT::bottom);
}
int CINIHoop::SetHoopSewFieldLeft(int hoop, int value) {
    return SetEdge(*this, &CINIHoop::SetHoopSewField, hoop, &RECT::left, value);
}
int CINIHoop::SetHoopSewFieldTop(int hoop, int value) {
    return SetEdge(*this, &CINIHoop::SetHoopSewField, hoop, &RECT::top, value);
}
int CINIHoop::SetHoopSewFieldRight(int hoop, int value) {
    return SetEdge(*this, &CINIHoop::SetHoopSewField, hoop, &RECT::right, value);
}
int CINIHoop::SetHoopSewFieldBottom(int hoop, int value) {
    return SetEdge(*this, &CINIHoop::SetHoopSewField, hoop, &RECT::bottom, value);
}

int CINIHoop::GetHoopInnerDim(int hoop, CRect* rect) {
    return GetWhole(opCatalogue, hoop, rect, kInnerDimEdges);
}
int CINIHoop::SetHoopInnerDim(int hoop, const CRect* rect) {
    return SetWhole(opCatalogue, hoop, rect, kInnerDimEdges);
}
int CINIHoop::GetHoopInnerDimLeft(int hoop) {
    return GetEdge(*this, &CINIHoop::GetHoopInnerDim, hoop, &RECT::left);
}
int CINIHoop::GetHoopInnerDimTop(int hoop) {
    return GetEdge(*this, &CINIHoop::GetHoopInnerDim, hoop, &RECT::top);
}
int CINIHoop::GetHoopInnerDimRight(int hoop) {
    return GetEdge(*this, &CINIHoop::GetHoopInnerDim, hoop, &RECT::right);
}
int CINIHoop::GetHoopInnerDimBottom(int hoop) {
    return GetEdge(*this, &CINIHoop::GetHoopInnerDim, hoop, &RECT::bottom);
}
int CINIHoop::SetHoopInnerDimLeft(int hoop, int value) {
    return SetEdge(*this, &CINIHoop::SetHoopInnerDim, hoop, &RECT::left, value);
}
int CINIHoop::SetHoopInnerDimTop(int hoop, int value) {
    return SetEdge(*this, &CINIHoop::SetHoopInnerDim, hoop, &RECT::top, value);
}
int CINIHoop::SetHoopInnerDimRight(int hoop, int value) {
    return SetEdge(*this, &CINIHoop::SetHoopInnerDim, hoop, &RECT::right, value);
}
int CINIHoop::SetHoopInnerDimBottom(int hoop, int value) {
    return SetEdge(*this, &CINIHoop::SetHoopInnerDim, hoop, &RECT::bottom, value);
}

int CINIHoop::GetHoopOuterDim(int hoop, CRect* rect) {
    return GetWhole(opCatalogue, hoop, rect, kOuterDimEdges);
}
int CINIHoop::SetHoopOuterDim(int hoop, const CRect* rect) {
    return SetWhole(opCatalogue, hoop, rect, kOuterDimEdges);
}
int CINIHoop::GetHoopOuterDimLeft(int hoop) {
    return GetEdge(*this, &CINIHoop::GetHoopOuterDim, hoop, &RECT::left);
}
int CINIHoop::GetHoopOuterDimTop(int hoop) {
    return GetEdge(*this, &CINIHoop::GetHoopOuterDim, hoop, &RECT::top);
}
int CINIHoop::GetHoopOuterDimRight(int hoop) {
    return GetEdge(*this, &CINIHoop::GetHoopOuterDim, hoop, &RECT::right);
}
int CINIHoop::GetHoopOuterDimBottom(int hoop) {
    return GetEdge(*this, &CINIHoop::GetHoopOuterDim, hoop, &RECT::bottom);
}
int CINIHoop::SetHoopOuterDimLeft(int hoop, int value) {
    return SetEdge(*this, &CINIHoop::SetHoopOuterDim, hoop, &RECT::left, value);
}
int CINIHoop::SetHoopOuterDimTop(int hoop, int value) {
    return SetEdge(*this, &CINIHoop::SetHoopOuterDim, hoop, &RECT::top, value);
}
int CINIHoop::SetHoopOuterDimRight(int hoop, int value) {
    return SetEdge(*this, &CINIHoop::SetHoopOuterDim, hoop, &RECT::right, value);
}
int CINIHoop::SetHoopOuterDimBottom(int hoop, int value) {
    return SetEdge(*this, &CINIHoop::SetHoopOuterDim, hoop, &RECT::bottom, value);
}
