#pragma once

#include <cstddef>
#include <cstdint>

#include "DialogManager.h"
#include "HostCore.h"
#include "SuiteCalls.h"
#include "SuiteForward.h"
#include "host/AdmSuites.h"

namespace standin {

// The handle and the type of a field of a dialog manager's record.
template <typename Field>
struct RecordField;

template <typename Record, typename Value>
struct RecordField<Value Record::*> {
    using Handle = typename Record::Handle;
    using Type = Value;
};

// The plain setters and getters of an adapter: a field of the live record
// that the adapter's Find reaches; violations name the suite function.
template <typename Adapter>
class FieldAdapter : public ActiveInstance<Adapter> {
public:
    template <auto Field, const char* Function>
    void Store(typename RecordField<decltype(Field)>::Handle handle,
               typename RecordField<decltype(Field)>::Type value) {
        if (auto* record = static_cast<Adapter*>(this)->Find(handle, Function)) {
            record->*Field = value;
        }
    }
    template <auto Field, const char* Function>
    typename RecordField<decltype(Field)>::Type Load(
        typename RecordField<decltype(Field)>::Handle handle) {
        const auto* record = static_cast<Adapter*>(this)->Find(handle, Function);
        return record != nullptr ? record->*Field : typename RecordField<decltype(Field)>::Type{};
    }
};

// "ADM Basic Suite": string lists and alerts from the plug-in's resources.
class AdmBasicAdapter : public ActiveInstance<AdmBasicAdapter> {
public:
    AdmBasicAdapter(DialogManager& manager, HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }

    bool GetIndexString(host::PluginRef plugin, std::int32_t listId, std::int32_t index, char* text,
                        std::size_t size);
    void ErrorAlert(const char* text);
    void GetScreenDimensions(host::Rect* screen);
    host::Error ValueToString(float value, std::int32_t units, std::int32_t precision,
                              bool appendUnit, char* text, std::size_t size);

private:
    DialogManager& manager_;
    HostCore& core_;
    SuiteCalls calls_;
};

// "ADM Dialog Suite".
class AdmDialogAdapter : public FieldAdapter<AdmDialogAdapter> {
public:
    using State = DialogManager::DialogState;

    AdmDialogAdapter(DialogManager& manager, HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }
    State* Find(host::Dialog dialog, std::string_view function);

    host::Dialog Create(host::PluginRef plugin, const char* name, std::int32_t resourceId,
                        std::int32_t style, host::DialogInitProc init, void* userData,
                        std::int32_t options);
    std::int32_t Modal(host::PluginRef plugin, const char* name, std::int32_t resourceId,
                       std::int32_t style, host::DialogInitProc init, void* userData,
                       std::int32_t options);
    std::int32_t PopupModal(host::PluginRef plugin, const char* name, std::int32_t resourceId,
                            host::DialogInitProc init, void* userData, std::int32_t options);
    void Destroy(host::Dialog dialog);
    void DefaultDraw(host::Dialog dialog, host::Drawer drawer);
    bool DefaultTrack(host::Dialog dialog, host::Tracker tracker);
    void DefaultNotify(host::Dialog dialog, host::AdmNotifier notifier);
    host::Item GetItem(host::Dialog dialog, std::int32_t itemId);
    void Move(host::Dialog dialog, std::int32_t h, std::int32_t v);
    void Size(host::Dialog dialog, std::int32_t width, std::int32_t height);
    void GetBoundsRect(host::Dialog dialog, host::Rect* bounds);
    std::int32_t DoModal(host::Dialog dialog);
    void EndModal(host::Dialog dialog, std::int32_t itemId, bool cancelled);
    void Update(host::Dialog dialog);
    void SetMinWidth(host::Dialog dialog, std::int32_t width);
    void SetMinHeight(host::Dialog dialog, std::int32_t height);
    void GetLocalRect(host::Dialog dialog, host::Rect* local);

private:
    // Made from its template, run and destroyed.
    std::int32_t RunModal(std::string_view function, const DialogManager::DialogRequest& request);
    // The minimum of one side; the dialog grows to it.
    void SetMinimum(std::string_view function, host::Dialog dialog, std::int32_t State::*minimum,
                    std::int32_t size);

    DialogManager& manager_;
    SuiteCalls calls_;
};

// "ADM Dialog Group Suite".
class AdmDialogGroupAdapter : public ActiveInstance<AdmDialogGroupAdapter> {
public:
    AdmDialogGroupAdapter(DialogManager& manager, HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error GetDialogGroupInfo(host::Dialog dialog, char* groupName, std::size_t size,
                                   std::int32_t* dockCode);
    host::Error SetDialogGroupInfo(host::Dialog dialog, const char* groupName,
                                   std::int32_t dockCode);

private:
    DialogManager& manager_;
    SuiteCalls calls_;
};

// "ADM Item Suite".
class AdmItemAdapter : public FieldAdapter<AdmItemAdapter> {
public:
    using State = DialogManager::ItemState;

    AdmItemAdapter(DialogManager& manager, HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }
    State* Find(host::Item item, std::string_view function);

    host::Item Create(host::Dialog dialog, std::int32_t itemId, host::ItemKind kind,
                      const host::Rect* bounds, host::ItemInitProc init, void* userData);
    void Destroy(host::Item item);
    void DefaultDraw(host::Item item, host::Drawer drawer);
    bool DefaultTrack(host::Item item, host::Tracker tracker);
    void DefaultNotify(host::Item item, host::AdmNotifier notifier);
    bool DefaultTextToFloat(host::Item item, const char* text, float* value);
    bool DefaultFloatToText(host::Item item, float value, char* text, std::size_t size);
    void SetText(host::Item item, const char* text);
    void GetText(host::Item item, char* text, std::size_t size);
    void SetFloatValue(host::Item item, float value);
    void Notify(host::Item item, const char* notifierType);
    void SetFont(host::Item item, std::int32_t font);
    void SetPrecision(host::Item item, std::int32_t precision);
    void SetUnits(host::Item item, std::int32_t units);
    void SetUnitEntry(host::Item item, bool unitEntry);
    void SetTipString(host::Item item, const char* tip);
    void SetPictureID(host::Item item, std::int32_t iconId);
    void Invalidate(host::Item item);
    std::int32_t GetIntegerValue(host::Item item);
    void SetIntegerValue(host::Item item, std::int32_t value);
    void GetBoundsRect(host::Item item, host::Rect* bounds);
    void Move(host::Item item, std::int32_t h, std::int32_t v);
    void Size(host::Item item, std::int32_t width, std::int32_t height);

private:
    // Stores a setting of how the item shows its value, and shows it so.
    template <auto Field>
    void SetShown(std::string_view function, host::Item item,
                  typename RecordField<decltype(Field)>::Type value);

    DialogManager& manager_;
    SuiteCalls calls_;
};

// "ADM List Suite".
class AdmListAdapter : public FieldAdapter<AdmListAdapter> {
public:
    using State = DialogManager::ListState;

    AdmListAdapter(DialogManager& manager, HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }
    State* Find(host::List list, std::string_view function);

    std::int32_t NumberOfEntries(host::List list);
    void RemoveEntry(host::List list, std::int32_t index);
    host::Entry InsertEntry(host::List list, std::int32_t index);
    host::Entry GetActiveEntry(host::List list);
    host::Entry IndexEntry(host::List list, std::int32_t index);
    host::Error LoadMenu(host::List list, host::PluginRef plugin, std::int32_t menuId);
    host::Entry FindEntry(host::List list, std::int32_t id);
    void SetEntryHeight(host::List list, std::int32_t height);

private:
    // Records an index outside [0, count) (or [0, count] when the end is
    // allowed) as a bad argument; true when it is inside.
    bool CheckIndex(std::string_view function, std::int32_t index, std::size_t count);

    DialogManager& manager_;
    SuiteCalls calls_;
};

// "ADM Entry Suite".
class AdmEntryAdapter : public FieldAdapter<AdmEntryAdapter> {
public:
    using State = DialogManager::EntryState;

    AdmEntryAdapter(DialogManager& manager, HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }
    State* Find(host::Entry entry, std::string_view function);

    void SetText(host::Entry entry, const char* text);
    void Select(host::Entry entry, bool select);
    std::int32_t GetIndex(host::Entry entry);
    void GetLocalRect(host::Entry entry, host::Rect* local);
    void DefaultNotify(host::Entry entry, host::AdmNotifier notifier);

private:
    DialogManager& manager_;
    SuiteCalls calls_;
};

// "ADM Notifier Suite".
class AdmNotifierAdapter : public ActiveInstance<AdmNotifierAdapter> {
public:
    AdmNotifierAdapter(DialogManager& manager, HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }

    void GetNotifierType(host::AdmNotifier notifier, char* type, std::size_t size);

private:
    DialogManager& manager_;
    SuiteCalls calls_;
};

// "ADM Icon Suite".
class AdmIconAdapter : public ActiveInstance<AdmIconAdapter> {
public:
    AdmIconAdapter(DialogManager& manager, HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }

    host::Icon GetFromResource(host::PluginRef plugin, const char* name, std::int32_t iconId,
                               std::int32_t iconIndex);
    std::int32_t GetType(host::Icon icon);

private:
    DialogManager& manager_;
    HostCore& core_;
    SuiteCalls calls_;
};

// "ADM Drawer Suite": each call becomes a line of the drawer's display list.
class AdmDrawerAdapter : public ActiveInstance<AdmDrawerAdapter> {
public:
    AdmDrawerAdapter(DialogManager& manager, HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }

    void SetColor(host::Drawer drawer, std::int32_t color);
    void SetFont(host::Drawer drawer, std::int32_t font);
    void FillRect(host::Drawer drawer, const host::Rect* rect);
    void DrawTextInRect(host::Drawer drawer, const host::Rect* rect, const char* text);
    void DrawLine(host::Drawer drawer, host::Point from, host::Point to);
    void DrawIcon(host::Drawer drawer, host::Icon icon, host::Point at);

private:
    // Appends the line to the drawer's list when the arguments are there
    // and the drawer is live.
    void Record(std::string_view function, host::Drawer drawer, bool argumentsPresent,
                const std::string& line);

    DialogManager& manager_;
    SuiteCalls calls_;
};

// "ADM Tracker Suite".
class AdmTrackerAdapter : public ActiveInstance<AdmTrackerAdapter> {
public:
    AdmTrackerAdapter(DialogManager& manager, HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }

    bool TestModifier(host::Tracker tracker, std::int32_t modifier);

private:
    DialogManager& manager_;
    SuiteCalls calls_;
};

// The adapters of one dialog manager, each serving its suite.
struct DialogSuites {
    DialogSuites(DialogManager& manager, HostCore& core)
        : basic(manager, core),
          dialog(manager, core),
          group(manager, core),
          item(manager, core),
          list(manager, core),
          entry(manager, core),
          notifier(manager, core),
          icon(manager, core),
          drawer(manager, core),
          tracker(manager, core) {}

    AdmBasicAdapter basic;
    AdmDialogAdapter dialog;
    AdmDialogGroupAdapter group;
    AdmItemAdapter item;
    AdmListAdapter list;
    AdmEntryAdapter entry;
    AdmNotifierAdapter notifier;
    AdmIconAdapter icon;
    AdmDrawerAdapter drawer;
    AdmTrackerAdapter tracker;
};

}  // namespace standin
