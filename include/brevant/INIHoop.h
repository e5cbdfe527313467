// The hoop catalogue handle that a host creates, loads, edits and saves.
#pragma once

#include "Export.h"
#include "CArray.h"
#include "CString.h"
#include "Geometry.h"

struct HoopCatalogue;

class BREVANT_API CINIHoop {
  public:
    CINIHoop();
    ~CINIHoop();
    CINIHoop(const CINIHoop&) = delete;
    // Shares the source's catalogue; the catalogue lives until the last handle that shares it lets it go.
    CINIHoop& operator=(const CINIHoop& source);

    int Create();
    int Release();

    int Load(const char* path);
    int SaveAs(const char* path);

    int AppendHoop(CINIHoop* source, int hoop);
    int CloneTo(CINIHoop* target);

    // Hoop entries.
    int GetHoopCount();
    int GetHoop(int hoop, CString* description, CString* shape);
    int SetHoop(int hoop, const char* description, const char* shape);
    int InsertHoop(const char* description, const char* shape);
    int RemoveHoop(int hoop);

    // Geometry.
    int GetHoopRotation(int hoop);
    int SetHoopRotation(int hoop, int rotation);
    int GetHoopSpanDir(int hoop);
    int GetHoopRect(int hoop, CRect* rect);
    int GetHoopPoints(int hoop, CArray<POINT, POINT>* points);
    int SetHoopPoints(int hoop, const CArray<POINT, POINT>* points);

    // Rectangles: an edge of -2147483648 handed to a setter keeps the stored edge.
    int GetHoopSewField(int hoop, CRect* rect);
    int SetHoopSewField(int hoop, const CRect* rect);
    int GetHoopSewFieldLeft(int hoop);
    int GetHoopSewFieldTop(int hoop);
    int GetHoopSewFieldRight(int hoop);
    int GetHoopSewFieldBottom(int hoop);
    int SetHoopSewFieldLeft(int hoop, int value);
    int SetHoopSewFieldTop(int hoop, int value);
    int SetHoopSewFieldRight(int hoop, int value);
    int SetHoopSewFieldBottom(int hoop, int value);

    int GetHoopInnerDim(int hoop, CRect* rect);
    int SetHoopInnerDim(int hoop, const CRect* rect);
    int GetHoopInnerDimLeft(int hoop);
    int GetHoopInnerDimTop(int hoop);
    int GetHoopInnerDimRight(int hoop);
    int GetHoopInnerDimBottom(int hoop);
    int SetHoopInnerDimLeft(int hoop, int value);
    int SetHoopInnerDimTop(int hoop, int value);
    int SetHoopInnerDimRight(int hoop, int value);
    int SetHoopInnerDimBottom(int hoop, int value);

    int GetHoopOuterDim(int hoop, CRect* rect);
    int SetHoopOuterDim(int hoop, const CRect* rect);
    int GetHoopOuterDimLeft(int hoop);
    int GetHoopOuterDimTop(int hoop);
    int GetHoopOuterDimRight(int hoop);
    int GetHoopOuterDimBottom(int hoop);
    int SetHoopOuterDimLeft(int hoop, int value);
    int SetHoopOuterDimTop(int hoop, int value);
    int SetHoopOuterDimRight(int hoop, int value);
    int SetHoopOuterDimBottom(int hoop, int value);

    // Mounts: a number of -2147483648 or a null label handed to a setter keeps the stored field.
    int InsertHoopMount(int hoop, const char* label, int id, int rotation, int lowX, int highX, int lowY,
                        int highY);
    int GetHoopMountCount(int hoop);
    int GetHoopMount(int hoop, int mount, CString* label, int* id, int* rotation, int* lowX, int* highX,
                     int* lowY, int* highY);
    int SetHoopMount(int hoop, int mount, const char* label, int id, int rotation, int lowX, int highX,
                     int lowY, int highY);
    int RemoveHoopMount(int hoop, int mount);

    int GetHoopMountLabel(int hoop, int mount, CString* label);
    int SetHoopMountLabel(int hoop, int mount, const char* label);
    int GetHoopMountID(int hoop, int mount);
    int SetHoopMountID(int hoop, int mount, int value);
    int GetHoopMountRotation(int hoop, int mount);
    int SetHoopMountRotation(int hoop, int mount, int value);
    int GetHoopMountLowX(int hoop, int mount);
    int SetHoopMountLowX(int hoop, int mount, int value);
    int GetHoopMountHighX(int hoop, int mount);
    int SetHoopMountHighX(int hoop, int mount, int value);
    int GetHoopMountLowY(int hoop, int mount);
    int SetHoopMountLowY(int hoop, int mount, int value);
    int GetHoopMountHighY(int hoop, int mount);
    int SetHoopMountHighY(int hoop, int mount, int value);

  private:
    HoopCatalogue* opCatalogue;
};
