#pragma once
// The Writer server: "Word.Application" answered by LibreOffice Writer. Each
// application object it creates writes its documents into new Writer
// documents, each in a Writer window of its own, in the office the user
// runs (started on the first report with the user's own profile, reached
// again for later reports). The office and its documents outlive the
// calculator: they stay open and unsaved, for the user to keep, edit, print
// or save there.
//
// Creating an application object connects to the office first: when the
// office fails to start or does not answer within the bound, the creation
// fails. Every later call is bounded the same way.

#include <memory>

#include "automation/ObjectFactory.h"
#include "writer/OfficeOptions.h"

namespace velars {

class OfficeSession;

// Registers the server under "Word.Application", with one office session
// shared by every application object it creates; the session is returned
// for tests that look into the office.
std::shared_ptr<OfficeSession> RegisterWriterServer(ObjectFactory& factory, OfficeOptions options);

}  // namespace velars
