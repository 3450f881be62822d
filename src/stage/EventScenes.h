#pragma once
// The scenes of the director other than the camera tour: the two endings,
// the place name, the two openings, the stage clear and the two defeat
// scenes. (Their scripts are still to come: each begins at step 0 and waits
// there.)
#include "stage/Event.h"

// A scene singleton whose script is still to come.
template <class Scene>
class CEventPending : public CEvent {
public:
    static Scene* GetInstance() {
        static Scene instance;
        return &instance;
    }
    void Begin() override { GoToStep(0); }

protected:
    CEventPending() { Register(); }
};

class CEventEnding1_1 : public CEventPending<CEventEnding1_1> {};
class CEventEnding1_2 : public CEventPending<CEventEnding1_2> {};
class CEventPlaceName1 : public CEventPending<CEventPlaceName1> {};
class CEventOpening1_1 : public CEventPending<CEventOpening1_1> {};
class CEventOpening1_2 : public CEventPending<CEventOpening1_2> {};
class CEventClear1 : public CEventPending<CEventClear1> {};
class CEventQuelmar1 : public CEventPending<CEventQuelmar1> {};
class CEventQuelmar2 : public CEventPending<CEventQuelmar2> {};
