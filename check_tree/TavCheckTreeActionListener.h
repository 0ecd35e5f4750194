#pragma once
#include "tree/TavTreeActionListener.h"

/// What a host hears from a CTavCheckTreeCtrl: the tree listener's events and the user's check toggles.
class TAV_API CTavCheckTreeActionListener : public CTavTreeActionListener
{
public:
    /// A listener without data of its own.
    CTavCheckTreeActionListener() = default;
    /// Copies nothing: listeners carry no data.
    CTavCheckTreeActionListener(const CTavCheckTreeActionListener&) = default;
    /// Assigns nothing: listeners carry no data.
    CTavCheckTreeActionListener& operator=(const CTavCheckTreeActionListener&) = default;

    /// The user toggled the item's box (with the mouse or the space key); every state has changed already.
    virtual void OnCheckChanged(HTREEITEM hItem);

protected:
    ~CTavCheckTreeActionListener() = default;
};
