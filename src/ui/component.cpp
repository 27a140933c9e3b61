#include "ui/component.h"

#include <windows.h>

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->Insert(this);
}

TComponent::~TComponent() {
    destroying_ = true;
    DestroyComponents();
    if (owner_) owner_->Remove(this);
    // Moved out first: a callback may delete other objects that are being notified too.
    auto notifications = std::move(freeNotifications_);
    for (auto& notify : notifications) {
        if (notify) notify();
    }
}

void TComponent::BeforeDestruction() {
    destroying_ = true;
    DestroyComponents();
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) FreeComponent(components_.back());
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_) {
        if (CompareStringOrdinal(c->Name.c_str(), int(c->Name.size()), name.c_str(), int(name.size()), TRUE) ==
            CSTR_EQUAL)
            return c;
    }
    return nullptr;
}

void TComponent::AddFreeNotification(std::function<void()> callback) {
    freeNotifications_.push_back(std::move(callback));
}

void TComponent::Insert(TComponent* component) { components_.push_back(component); }

void TComponent::Remove(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
}

void FreeComponent(TComponent* component) {
    if (!component) return;
    component->BeforeDestruction();
    delete component;
}
