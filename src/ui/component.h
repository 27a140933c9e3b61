#pragma once
// The root of everything a window owns: a name, a tag, an owner and the components it owns.
#include <functional>
#include <string>
#include <vector>

class TComponent {
public:
    // The owner (may be nullptr) takes the new component into its list and deletes it with
    // itself.
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // The VCL class name ("TLabel", "TBitBtn", "TForm5"); a form class returns its own.
    virtual std::wstring ClassName() const { return L"TComponent"; }

    std::wstring Name;
    int Tag = 0;

    TComponent* Owner() const { return owner_; }
    // Owned components in creation order.
    const std::vector<TComponent*>& Components() const { return components_; }
    int ComponentCount() const { return int(components_.size()); }
    // The owned component of that name (compared without regard to case), or nullptr.
    TComponent* FindComponent(const std::wstring& name) const;

    // Runs callback when this component is deleted, e.g. to clear a program-wide reference
    // to a released window. The callback must not touch the component.
    void AddFreeNotification(std::function<void()> callback);

    // True from the moment destruction has begun.
    bool Destroying() const { return destroying_; }

    // Called by FreeComponent before the destructor: deletes the owned components while this
    // object, its derived parts included, is still whole, so that what they refer to (the
    // window's datasets, its other members) is still there when they go.
    virtual void BeforeDestruction();

protected:
    // Deletes the owned components, the last created first.
    void DestroyComponents();
    // Marks the start of destruction for a destructor that runs before ours.
    void MarkDestroying() { destroying_ = true; }

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_;
    std::vector<TComponent*> components_;
    std::vector<std::function<void()>> freeNotifications_;
    bool destroying_ = false;
};

// Deletes a component the way the toolkit does: BeforeDestruction, then delete.
void FreeComponent(TComponent* component);
