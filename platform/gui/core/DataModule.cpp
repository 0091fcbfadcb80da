#include "platform/gui/core/DataModule.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Fixups.h"
#include "platform/classes/Resources.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Screen.h"

namespace gui {

TDataModule::TDataModule(classes::TComponent* owner) : TComponent(owner)
{
    if (Screen()) {
        Screen()->AddDataModule(this);
    }
}

TDataModule::~TDataModule()
{
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            if (Application()) {
                Application()->HandleException(this);
            }
        }
    }
    if (Screen()) {
        Screen()->RemoveDataModule(this);
    }
}

const classes::TClassInfo& TDataModule::StaticClass()
{
    static const classes::TClassInfo info("TDataModule", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TDataModule>(c)
            .Property("OldCreateOrder", &TDataModule::OldCreateOrder, &TDataModule::SetOldCreateOrder)
            .Property("OnCreate", classes::NotifyEventType(), &TDataModule::OnCreate)
            .Property("OnDestroy", classes::NotifyEventType(), &TDataModule::OnDestroy);
    });
    return info;
}

void TDataModule::CreateFromStoredData()
{
    classes::TResourceStream stream(ClassName(), classes::RT_RCDATA);
    classes::TReader reader(stream);
    reader.ReadRootComponent(this);
    classes::GlobalFixupReferences();
    BindComponents();
    if (OnCreate) {
        try {
            OnCreate(this);
        } catch (...) {
            if (!Application()) {
                throw;
            }
            Application()->HandleException(this);
        }
    }
}

void TDataModule::GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root)
{
    for (int i = 0; i < ComponentCount(); ++i) {
        if (!Components(i)->HasParent() && Components(i)->Owner() == root) {
            proc(Components(i));
        }
    }
}

void TDataModule::DefineProperties(classes::TFiler& filer)
{
    TComponent::DefineProperties(filer);
    auto integer = [&](const char* name, int& value) {
        filer.DefineProperty(
            name, [&value](classes::TReader& reader) { value = int(reader.ReadInteger()); },
            [&value](classes::TWriter& writer) { writer.WriteInteger(value); }, true);
    };
    // Older stored data names the offset Left and Top: read, written under the newer names.
    auto readOnly = [&](const char* name, int& value) {
        filer.DefineProperty(
            name, [&value](classes::TReader& reader) { value = int(reader.ReadInteger()); }, nullptr, false);
    };
    readOnly("Left", designOffset_.x);
    readOnly("Top", designOffset_.y);
    integer("Height", designSize_.cy);
    integer("HorizontalOffset", designOffset_.x);
    integer("VerticalOffset", designOffset_.y);
    integer("Width", designSize_.cx);
}

}  // namespace gui
