// What an action throws. The library throws exceptions as heap pointers; the check deletes them.
#pragma once

#include "Exceptions.h"

#include <functional>
#include <string>

// The class name of the exception that action throws, or "nothing".
inline std::string ThrownBy(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (CException* pEx)
    {
        const std::string strName = pEx->GetRuntimeClass()->m_lpszClassName;
        pEx->Delete();
        return strName;
    }
    return "nothing";
}
