#pragma once
// The documents the Writer server is writing reports into, held back from
// the user until the report in each has ended.
//
// A new document is made hidden: no window lies anywhere on the screen
// before it is placed (a new office window first opens at the office's own
// default place and size, over every other window, where it would take a
// click meant for another program), and nothing is drawn while the report
// is written. The report in a document ends at the first pause of the
// options' report pause with no call (the session's pause work), or when the
// calculator has released every object of the document, whichever comes
// first; a failed call ends it the same way, since no call follows. Then a
// document not shown yet is shown, when its application is visible: in the
// window state and at the place its application put (on the hidden window
// first, so that it opens there), in front.
//
// A document held through a bridge that has ended since (the office stopped
// answering, the bound gave up on it) is let go of with that bridge and found
// again by its frame's name once the office answers again, and released
// then; one the user closed is forgotten. Every member runs on the office
// thread.

#include <com/sun/star/frame/XModel.hpp>
#include <memory>
#include <mutex>
#include <optional>
#include <rtl/ustring.hxx>
#include <vector>

namespace velars {

class OfficeSession;

// What an application object wants of its documents' windows: put by the
// application on the calculator's thread, read on the office thread where a
// document is shown.
class WindowWish {
public:
    enum Edge { kLeft, kTop, kWidth, kHeight };
    struct Values {
        bool visible = false;
        int state = 0;  // 0 normal, 1 maximised, 2 minimised
        // The placement put so far; windows opened later take it too.
        std::optional<int> edges[4];
    };

    Values Get() const;
    void SetVisible(bool visible);
    void SetState(int state);
    void SetEdge(Edge edge, int pixels);

private:
    mutable std::mutex mutex_;
    Values values_;
};

// One document of the server as the hold knows it.
struct HeldDocument {
    com::sun::star::uno::Reference<com::sun::star::frame::XModel> model;
    // The name given to its frame, unique in the office.
    rtl::OUString frameName;
    std::shared_ptr<const WindowWish> wish;
};

class HeldDocuments {
public:
    // `session` outlives the hold (it runs the hold's work).
    explicit HeldDocuments(OfficeSession& session) : session_(session) {}
    HeldDocuments(const HeldDocuments&) = delete;
    HeldDocuments& operator=(const HeldDocuments&) = delete;

    // A unique name for the frame of a new document.
    static rtl::OUString NewFrameName();

    // A new document, loaded hidden and its frame named: held until its
    // report ends, then shown.
    void AddHidden(const HeldDocument& document);
    // Whether `model` is held hidden, still to be shown.
    bool Hidden(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model) const;

    // Ends the report in every held document, or in the one whose frame
    // has the name.
    void ReleaseAll();
    void Release(const rtl::OUString& frameName);
    // The bridge has ended: lets go of every model reached through it.
    void ForgetModels();

private:
    struct Entry {
        HeldDocument document;
        bool hidden = false;
    };
    // False when the document cannot be reached now: the entry stays.
    bool End(Entry& entry);
    static void Finish(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model,
                       const Entry& entry);

    OfficeSession& session_;
    std::vector<Entry> entries_;
};

}  // namespace velars
