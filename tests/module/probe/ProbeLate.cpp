// A runtime class of the probe module whose object file comes after the entry code.
#include "Object.h"

class CTavProbeLate : public CObject
{
    DECLARE_DYNCREATE(CTavProbeLate)
};

IMPLEMENT_DYNCREATE(CTavProbeLate, CObject)
static AFX_CLASSINIT s_initProbeLate(RUNTIME_CLASS(CTavProbeLate));
