#pragma once
// The step machine of the calibration wizard, without widgets: the step shown (Krok), whether
// the wizard is busy connecting or searching, and whether a gain search has completed since
// page 2 was entered. The page shown and every step button's caption, visibility and enabled
// state follow from these alone, so no handler sets a button by itself:
//  - step 0: Wstecz disabled; Dalej ("Dalej >>") enabled unless connecting; Start hidden;
//  - step 1: Wstecz and Dalej ("Dalej >>") enabled; Start hidden;
//  - step 2: Wstecz enabled (during a search it stops the search); Dalej ("Zakoncz") enabled
//    only once a search has completed by its own rule and none runs; Start shown, disabled
//    while a search runs.
class WizardSteps {
public:
    struct Buttons {
        int page = 0;
        bool wsteczEnabled = false;
        bool dalejZakoncz = false; // the caption "Zakoncz", else "Dalej >>"
        bool dalejEnabled = true;
        bool startVisible = false;
        bool startEnabled = true;
        bool operator==(const Buttons &) const = default;
    };

    int Krok() const { return krok_; }
    bool Connecting() const { return connecting_; }
    bool Searching() const { return searching_; }
    bool Busy() const { return connecting_ || searching_; }
    // A search completed by its own rule (hit, tolerance or its last step): Zakoncz offers it.
    bool ResultReady() const { return resultReady_; }

    // Step 0, 1 or 2; any result is forgotten.
    void GoTo(int krok);
    void SetConnecting(bool connecting) { connecting_ = connecting; }
    // A search starts (the result before it is forgotten) or ends, completed or cut short.
    void BeginSearch();
    void EndSearch(bool completed);
    // Back to step 0 with nothing running, as after a close of the window.
    void Reset();

    Buttons State() const;

private:
    int krok_ = 0;
    bool connecting_ = false;
    bool searching_ = false;
    bool resultReady_ = false;
};
