#pragma once

#include <cstddef>
#include <cstdint>

#include "host/AdmSuites.h"
#include "host/HostErrors.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"

// The binding of host dialogs and items to objects: the host calls plain
// procedures, which find the object through the user data and forward to its
// virtual operations. Every call goes through the suite table, which is held
// while the host runs a procedure.

// A host dialog by reference, with the dialog suite's calls on it.
class IADMDialog {
public:
    host::Dialog GetDialog() const { return dialog_; }

    void Move(std::int32_t h, std::int32_t v) const;
    void Size(std::int32_t width, std::int32_t height) const;
    void Show(bool show) const;
    bool IsVisible() const;
    host::Rect GetBoundsRect() const;
    host::Item GetItem(std::int32_t itemId) const;

protected:
    host::Dialog dialog_;
};

class BaseADMDialog : public IADMDialog {
public:
    BaseADMDialog() = default;
    // A floating dialog still bound is unhooked and destroyed; a modal one
    // belongs to the host until it ends.
    virtual ~BaseADMDialog();
    BaseADMDialog(const BaseADMDialog&) = delete;
    BaseADMDialog& operator=(const BaseADMDialog&) = delete;

    // Installs the draw, track, notify and destroy procedures.
    virtual host::Error Init();
    virtual void Draw(host::Drawer drawer);
    virtual bool Track(host::Tracker tracker);
    virtual void Notify(host::AdmNotifier notifier);
    virtual void Destroy();
    // A floating dialog bound to this object; none when the host made none.
    virtual void Create(host::PluginRef plugin, const char* name, std::int32_t resourceId,
                        std::int32_t style, std::int32_t options);
    virtual std::int32_t Modal(host::PluginRef plugin, const char* name, std::int32_t resourceId,
                               std::int32_t style, std::int32_t options);
    virtual std::int32_t PopupModal(host::PluginRef plugin, const char* name,
                                    std::int32_t resourceId, std::int32_t options);

    bool IsModal() const { return modal_; }

private:
    static BaseADMDialog* ObjectOf(host::Dialog dialog);
    static void Unhook(host::Dialog dialog);
    static host::Error InitProc(host::Dialog dialog);
    static void DrawProc(host::Dialog dialog, host::Drawer drawer);
    static bool TrackProc(host::Dialog dialog, host::Tracker tracker);
    static void NotifyProc(host::Dialog dialog, host::AdmNotifier notifier);
    static void DestroyProc(host::Dialog dialog);

    bool modal_ = false;
};

// A host item by reference.
class IADMItem {
public:
    host::Item GetItem() const { return item_; }

protected:
    host::Item item_;
};

class BaseADMItem : public IADMItem {
public:
    // Binds the item to this object (user data and procedures); a null item
    // binds nothing.
    explicit BaseADMItem(host::Item item);
    // Unbinds and destroys the host item.
    virtual ~BaseADMItem();
    BaseADMItem(const BaseADMItem&) = delete;
    BaseADMItem& operator=(const BaseADMItem&) = delete;

    virtual host::Error Init();
    virtual void DefaultDraw(host::Drawer drawer);
    virtual bool Track(host::Tracker tracker);
    virtual void Notify(host::AdmNotifier notifier);
    virtual bool TextToValue(const char* text, float* value);
    virtual bool ValueToText(float value, char* text, std::size_t size);
    virtual void Draw(host::Drawer drawer);
    // A new host item bound to this object; none when the host made none.
    virtual void Create(host::Dialog dialog, std::int32_t itemId, host::ItemKind kind,
                        const host::Rect& bounds);

private:
    static BaseADMItem* ObjectOf(host::Item item);
    void Bind();
    void Unbind();
    static host::Error InitProc(host::Item item);
    static void DrawProc(host::Item item, host::Drawer drawer);
    static bool TrackProc(host::Item item, host::Tracker tracker);
    static void NotifyProc(host::Item item, host::AdmNotifier notifier);
    static void DestroyProc(host::Item item);
    static bool TextToFloatProc(host::Item item, const char* text, float* value);
    static bool FloatToTextProc(host::Item item, float value, char* text, std::size_t size);
};
