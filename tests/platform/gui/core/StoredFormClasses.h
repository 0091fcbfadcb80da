#pragma once
// Form, data module and frame classes designed as stored data, as the program's windows are, and the program's resources that
// hold such data for the tests.

#include "platform/classes/Resources.h"
#include "platform/classes/TextForm.h"
#include "platform/gui/core/ActionList.h"
#include "platform/gui/core/DataModule.h"
#include "platform/gui/core/Frame.h"
#include "platform/gui/core/Timer.h"

#include "tests/platform/gui/core/TestControls.h"

#include <algorithm>
#include <deque>
#include <string>

namespace guitest {

// Resources registered for a test: blocks by type and name (RCDATA: the binary form of a text form).
class TestResources {
public:
    TestResources() = default;
    ~TestResources()
    {
        if (!entries_.empty()) {
            classes::UnregisterResources(entries_.data());
        }
    }
    TestResources(const TestResources&) = delete;
    TestResources& operator=(const TestResources&) = delete;

    void AddForm(const char* name, const std::string& text) { AddData(name, classes::ObjectTextToBinary(text)); }
    void AddData(const char* name, std::string data) { Add(classes::RT_RCDATA, name, std::move(data)); }
    // A resource of type, replacing one of the same type and name.
    void Add(int type, const char* name, std::string data)
    {
        if (!entries_.empty()) {
            classes::UnregisterResources(entries_.data());
        }
        auto same = std::find_if(keys_.begin(), keys_.end(), [&](const auto& key) {
            return key.first == type && key.second == name;
        });
        if (same != keys_.end()) {
            data_[std::size_t(same - keys_.begin())] = std::move(data);
        } else {
            data_.push_back(std::move(data));
            keys_.emplace_back(type, name);
        }
        entries_.clear();
        for (std::size_t i = 0; i < data_.size(); ++i) {
            entries_.push_back({keys_[i].first, nullptr, 0, keys_[i].second.c_str(), data_[i].data(), data_[i].size()});
        }
        classes::RegisterResources(entries_.data(), entries_.size());
    }

private:
    std::deque<std::string> data_;
    std::deque<std::pair<int, std::string>> keys_;
    std::vector<classes::TResourceEntry> entries_;
};

class TStoredForm : public gui::TForm {
public:
    explicit TStoredForm(classes::TComponent* owner) : TForm(owner) { CreateFromStoredData(); }

    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TStoredForm", &TForm::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TStoredForm>(c)
                .Method<&TStoredForm::FormCreate>("FormCreate")
                .Method<&TStoredForm::FormDestroy>("FormDestroy")
                .Method<&TStoredForm::TimerTick>("TimerTick")
                .Method<&TStoredForm::RunExecute>("RunExecute")
                .Method<&TStoredForm::RunUpdate>("RunUpdate");
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void FormCreate(classes::TObject*)
    {
        Log().push_back(std::string("create ") + (run && timer ? "bound" : "unbound"));
    }
    void FormDestroy(classes::TObject*) { Log().push_back("destroy"); }
    void TimerTick(classes::TObject*) { Log().push_back("tick"); }
    void RunExecute(classes::TObject*) { Log().push_back("run"); }
    void RunUpdate(classes::TObject* sender) { static_cast<gui::TAction*>(sender)->SetEnabled(runEnabled); }

    gui::TAction* run = nullptr;
    gui::TTimer* timer = nullptr;
    bool runEnabled = true;

protected:
    void BindComponents() override
    {
        run = dynamic_cast<gui::TAction*>(FindComponent("Run"));
        timer = dynamic_cast<gui::TTimer*>(FindComponent("Timer1"));
    }
    void Loaded() override
    {
        TForm::Loaded();
        Log().push_back(Name() + " loaded");
    }
};

class TStoredModule : public gui::TDataModule {
public:
    explicit TStoredModule(classes::TComponent* owner) : TDataModule(owner) { CreateFromStoredData(); }

    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TStoredModule", &TDataModule::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TStoredModule>(c).Method<&TStoredModule::ModuleCreate>("ModuleCreate");
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void ModuleCreate(classes::TObject*) { Log().push_back("module created"); }
};

// A frame class designed as stored data, placed in forms as one control.
class TStoredFrame : public gui::TFrame {
public:
    explicit TStoredFrame(classes::TComponent* owner) : TFrame(owner) { CreateFromStoredData(); }

    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TStoredFrame", &TFrame::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TStoredFrame>(c).Method<&TStoredFrame::TimerTick>("TimerTick");
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void TimerTick(classes::TObject*) { Log().push_back("frame tick"); }

    TTestControl* field = nullptr;

protected:
    void BindComponents() override { field = dynamic_cast<TTestControl*>(FindComponent("Field")); }
};

// A form of a class whose stored data is missing.
class TMissingForm : public gui::TForm {
public:
    explicit TMissingForm(classes::TComponent* owner) : TForm(owner) { CreateFromStoredData(); }
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TMissingForm", &TForm::StaticClass());
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace guitest
