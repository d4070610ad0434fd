#pragma once

// The root of the system's classes: the five virtual operations of the dialog
// framework's root object, in this slot order: runtime-class query, destructor,
// serialisation, validity assertion, diagnostic dump.

class CArchive;
class CDumpContext;

struct CRuntimeClass {
    const char* className;
    int objectSize;
    const CRuntimeClass* baseClass;
};

class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& archive);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& context) const;

    static const CRuntimeClass classCObject;
};
