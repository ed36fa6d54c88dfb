#include "ui/markup/XmlParserBase.h"

#include "ui/markup/XmlException.h"

XmlParserBase::XmlParserBase() { ResetExpat(); }

XmlParserBase::~XmlParserBase() {
    if (pending_) pending_->Release();
    if (expat_) XML_ParserFree(expat_);
}

void XmlParserBase::ResetExpat() {
    if (expat_) XML_ParserFree(expat_);
    if (pending_) {
        pending_->Release();
        pending_ = nullptr;
    }
    expat_ = XML_ParserCreate(nullptr);  // no namespace processing
    if (expat_) Configure();
}

void XmlParserBase::Configure() {
    XML_SetUserData(expat_, this);
    XML_SetElementHandler(expat_, OnStart, OnEnd);
    XML_SetCdataSectionHandler(expat_, OnStartCdata, OnEndCdata);
    XML_SetDoctypeDeclHandler(expat_, OnStartDoctype, OnEndDoctype);
    XML_SetCharacterDataHandler(expat_, OnCharacterData);
    XML_SetProcessingInstructionHandler(expat_, OnProcessingInstruction);
    XML_SetDefaultHandlerExpand(expat_, OnDefault);
    XML_SetUnknownEncodingHandler(expat_, OnUnknownEncoding, this);
    XML_SetSkippedEntityHandler(expat_, OnSkippedEntity);
    XML_SetEntityDeclHandler(expat_, OnEntityDecl);
    XML_SetNotationDeclHandler(expat_, OnNotationDecl);
    XML_SetCommentHandler(expat_, OnComment);
    XML_SetExternalEntityRefHandler(expat_, OnExternalEntityRef);
    XML_SetNotStandaloneHandler(expat_, OnNotStandalone);
    // Doctype declarations and external entities are accepted and ignored.
    XML_SetParamEntityParsing(expat_, XML_PARAM_ENTITY_PARSING_ALWAYS);
    XML_UseForeignDTD(expat_, XML_TRUE);
}

bool XmlParserBase::Feed(const char* bytes, size_t length, bool isFinal, XmlException** thrown) {
    *thrown = nullptr;
    if (!expat_) return false;
    bool ok = true;
    // expat takes an int length; larger inputs go in int-sized slices.
    constexpr size_t kSlice = 1u << 30;
    do {
        size_t n = length > kSlice ? kSlice : length;
        bool last = isFinal && n == length;
        ok = XML_Parse(expat_, bytes, static_cast<int>(n), last ? 1 : 0) == XML_STATUS_OK;
        bytes += n;
        length -= n;
    } while (ok && length > 0);
    if (pending_) {
        *thrown = pending_;
        pending_ = nullptr;
        return false;
    }
    return ok;
}

void XmlParserBase::Stop(XmlException* e) {
    if (pending_) {
        e->Release();
        return;
    }
    pending_ = e;
    XML_StopParser(expat_, XML_FALSE);
}

template <class F>
void XmlParserBase::Guard(void* self, F&& f) {
    auto* p = static_cast<XmlParserBase*>(self);
    if (p->pending_) return;  // stopped: nothing more is built
    try {
        f(p);
    } catch (XmlException* e) {
        p->Stop(e);
    }
}

// Base behaviour: nothing.
void XmlParserBase::StartElement(const char*, const char**) {}
void XmlParserBase::EndElement(const char*) {}
void XmlParserBase::StartCdata() {}
void XmlParserBase::EndCdata() {}
void XmlParserBase::StartDoctype(const char*, const char*, const char*, int) {}
void XmlParserBase::EndDoctype() {}
void XmlParserBase::CharacterData(const char*, int) {}
void XmlParserBase::ProcessingInstruction(const char*, const char*) {}
void XmlParserBase::Default(const char*, int) {}
int XmlParserBase::UnknownEncoding(const char*, XML_Encoding*) { return 0; }
void XmlParserBase::SkippedEntity(const char*, int) {}
void XmlParserBase::EntityDecl(const char*, int, const char*, int, const char*, const char*, const char*,
                               const char*) {}
void XmlParserBase::NotationDecl(const char*, const char*, const char*, const char*) {}
void XmlParserBase::Comment(const char*) {}
// Success without reading anything: external entities are ignored.
int XmlParserBase::ExternalEntityRef(const char*, const char*, const char*, const char*) { return -1; }

// Trampolines from expat's C callbacks.
void XmlParserBase::OnStart(void* u, const XML_Char* name, const XML_Char** atts) {
    Guard(u, [&](XmlParserBase* p) { p->StartElement(name, atts); });
}
void XmlParserBase::OnEnd(void* u, const XML_Char* name) {
    Guard(u, [&](XmlParserBase* p) { p->EndElement(name); });
}
void XmlParserBase::OnStartCdata(void* u) {
    Guard(u, [&](XmlParserBase* p) { p->StartCdata(); });
}
void XmlParserBase::OnEndCdata(void* u) {
    Guard(u, [&](XmlParserBase* p) { p->EndCdata(); });
}
void XmlParserBase::OnStartDoctype(void* u, const XML_Char* n, const XML_Char* s, const XML_Char* pid, int h) {
    Guard(u, [&](XmlParserBase* p) { p->StartDoctype(n, s, pid, h); });
}
void XmlParserBase::OnEndDoctype(void* u) {
    Guard(u, [&](XmlParserBase* p) { p->EndDoctype(); });
}
void XmlParserBase::OnCharacterData(void* u, const XML_Char* s, int len) {
    Guard(u, [&](XmlParserBase* p) { p->CharacterData(s, len); });
}
void XmlParserBase::OnProcessingInstruction(void* u, const XML_Char* t, const XML_Char* d) {
    Guard(u, [&](XmlParserBase* p) { p->ProcessingInstruction(t, d); });
}
void XmlParserBase::OnDefault(void* u, const XML_Char* s, int len) {
    Guard(u, [&](XmlParserBase* p) { p->Default(s, len); });
}
int XmlParserBase::OnUnknownEncoding(void* u, const XML_Char* name, XML_Encoding* info) {
    int result = 0;
    Guard(u, [&](XmlParserBase* p) { result = p->UnknownEncoding(name, info); });
    return result;
}
void XmlParserBase::OnSkippedEntity(void* u, const XML_Char* name, int pe) {
    Guard(u, [&](XmlParserBase* p) { p->SkippedEntity(name, pe); });
}
void XmlParserBase::OnEntityDecl(void* u, const XML_Char* name, int pe, const XML_Char* value, int len,
                                 const XML_Char* base, const XML_Char* sys, const XML_Char* pub,
                                 const XML_Char* notation) {
    Guard(u, [&](XmlParserBase* p) { p->EntityDecl(name, pe, value, len, base, sys, pub, notation); });
}
void XmlParserBase::OnNotationDecl(void* u, const XML_Char* name, const XML_Char* base, const XML_Char* sys,
                                   const XML_Char* pub) {
    Guard(u, [&](XmlParserBase* p) { p->NotationDecl(name, base, sys, pub); });
}
void XmlParserBase::OnComment(void* u, const XML_Char* text) {
    Guard(u, [&](XmlParserBase* p) { p->Comment(text); });
}
int XmlParserBase::OnExternalEntityRef(XML_Parser parser, const XML_Char* context, const XML_Char* base,
                                       const XML_Char* sys, const XML_Char* pub) {
    int result = 0;
    Guard(XML_GetUserData(parser), [&](XmlParserBase* p) { result = p->ExternalEntityRef(context, base, sys, pub); });
    return result;
}
int XmlParserBase::OnNotStandalone(void*) { return 1; }
