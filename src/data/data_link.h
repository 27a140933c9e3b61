#pragma once
// The link between a dataset and the data-aware controls bound to it: a control registers as
// an observer and is told whenever the dataset opens, closes, moves or its current row
// changes, so that it can repaint itself from the current row. A dataset that goes away
// tells its observers first, so that none keeps a dangling pointer, whichever of a form's
// members is destroyed first.
#include <algorithm>
#include <string>
#include <vector>

class DataObserver {
public:
    virtual ~DataObserver() = default;
    virtual void DataChanged() = 0;
    // The dataset is being destroyed: forget it. It is still whole, but must not be used
    // any more; the observer is already off its list.
    virtual void DataSetDestroyed(class DataSetView* dataSet) = 0;
};

class DataSetView {
public:
    virtual ~DataSetView() { ReleaseObservers(); }
    DataSetView() = default;
    DataSetView(const DataSetView&) = delete;
    DataSetView& operator=(const DataSetView&) = delete;

    // True while open with a current row.
    virtual bool HasCurrentRow() const = 0;
    // The current row's column as text (empty for NULL, for a missing row or column).
    virtual std::string CurrentText(const std::string& field) const = 0;

    void AddObserver(DataObserver* observer) { observers_.push_back(observer); }
    void RemoveObserver(DataObserver* observer) {
        observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
    }
    size_t ObserverCount() const { return observers_.size(); }

    // While disabled (the calls nest), the observers are not told of changes; the last
    // EnableControls tells them once when anything changed meanwhile. A walk over many rows
    // then costs the bound controls one refresh instead of one per row.
    void DisableControls() { ++disabled_; }
    void EnableControls() {
        if (disabled_ == 0 || --disabled_ > 0 || !missed_) return;
        missed_ = false;
        NotifyObservers();
    }
    bool ControlsDisabled() const { return disabled_ > 0; }

protected:
    // Called by the dataset after every open, close, move and post.
    void NotifyObservers() {
        if (disabled_ > 0) {
            missed_ = true;
            return;
        }
        const auto copy = observers_;  // an observer may unregister while being told
        for (DataObserver* o : copy) o->DataChanged();
    }
    // Tells every observer the dataset is going; a derived dataset calls it first thing in
    // its destructor, while it is still whole.
    void ReleaseObservers() {
        const auto gone = std::move(observers_);
        observers_.clear();
        for (DataObserver* o : gone) o->DataSetDestroyed(this);
    }

private:
    std::vector<DataObserver*> observers_;
    int disabled_ = 0;
    bool missed_ = false;
};

