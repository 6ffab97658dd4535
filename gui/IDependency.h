// Objects that want to hear of a control's changes without being its listener register as
// dependents and receive its messages by name.
#pragma once

#include <algorithm>
#include <vector>

namespace VSTGUI {

extern const char* const kMessageValueChanged;
extern const char* const kMessageBeginEdit;
extern const char* const kMessageEndEdit;

class IDependency {
public:
    class IDependent {
    public:
        virtual ~IDependent() = default;
        virtual void notify(IDependency* sender, const char* message) = 0;
    };

    void addDependent(IDependent* dependent) { dependents.push_back(dependent); }
    void removeDependent(IDependent* dependent) {
        dependents.erase(std::remove(dependents.begin(), dependents.end(), dependent),
                         dependents.end());
    }

protected:
    ~IDependency() = default;
    void changed(const char* message) {
        for (IDependent* dependent : dependents) dependent->notify(this, message);
    }

private:
    std::vector<IDependent*> dependents;
};

}  // namespace VSTGUI
