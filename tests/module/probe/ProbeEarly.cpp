// A runtime class of the probe module whose object file comes before the entry code.
#include "Object.h"

class CTavProbeEarly : public CObject
{
    DECLARE_DYNCREATE(CTavProbeEarly)
};

IMPLEMENT_DYNCREATE(CTavProbeEarly, CObject)
static AFX_CLASSINIT s_initProbeEarly(RUNTIME_CLASS(CTavProbeEarly));
