#pragma once
// XmlParserBase: one expat parser whose callbacks become virtual operations.
//
// The parser is created without namespace processing, so element and
// attribute names arrive exactly as written, prefixes included. Doctype
// declarations and external entities are accepted and ignored (parameter
// entities are parsed, a foreign DTD is requested, external references read
// nothing), comments and processing instructions are skipped, and encodings
// expat does not know are refused. The base implementations do nothing.
//
// Callbacks may throw XmlException*; the trampolines catch it, stop expat and
// keep it, and Feed() hands it back to the caller once expat has returned, so
// no exception ever unwinds through expat's C frames.

#include <cstddef>
#include <expat.h>

class XmlException;

class XmlParserBase {
public:
    XmlParserBase();
    virtual ~XmlParserBase();
    XmlParserBase(const XmlParserBase&) = delete;
    XmlParserBase& operator=(const XmlParserBase&) = delete;

    // Callbacks, in the order expat knows them.
    virtual void StartElement(const char* name, const char** attributes);
    virtual void EndElement(const char* name);
    virtual void StartCdata();
    virtual void EndCdata();
    virtual void StartDoctype(const char* name, const char* sysid, const char* pubid, int hasInternalSubset);
    virtual void EndDoctype();
    virtual void CharacterData(const char* bytes, int length);
    virtual void ProcessingInstruction(const char* target, const char* data);
    virtual void Default(const char* bytes, int length);
    virtual int UnknownEncoding(const char* name, XML_Encoding* info);  // 0: refused
    virtual void SkippedEntity(const char* name, int isParameterEntity);
    virtual void EntityDecl(const char* name, int isParameterEntity, const char* value, int valueLength,
                            const char* base, const char* systemId, const char* publicId, const char* notation);
    virtual void NotationDecl(const char* name, const char* base, const char* systemId, const char* publicId);
    virtual void Comment(const char* text);
    virtual int ExternalEntityRef(const char* context, const char* base, const char* systemId, const char* publicId);

protected:
    // Replaces the expat parser with a fresh one (a parser reads one document).
    void ResetExpat();
    // Hands bytes to expat. Returns false on an expat error. A callback's
    // exception is returned through *thrown (owned by the caller) and the
    // result is then false as well.
    bool Feed(const char* bytes, size_t length, bool isFinal, XmlException** thrown);

    XML_Parser expat_ = nullptr;

private:
    void Configure();
    void Stop(XmlException* e);
    template <class F> static void Guard(void* self, F&& f);

    XmlException* pending_ = nullptr;  // thrown by a callback, not yet handed back

    static void OnStart(void*, const XML_Char*, const XML_Char**);
    static void OnEnd(void*, const XML_Char*);
    static void OnStartCdata(void*);
    static void OnEndCdata(void*);
    static void OnStartDoctype(void*, const XML_Char*, const XML_Char*, const XML_Char*, int);
    static void OnEndDoctype(void*);
    static void OnCharacterData(void*, const XML_Char*, int);
    static void OnProcessingInstruction(void*, const XML_Char*, const XML_Char*);
    static void OnDefault(void*, const XML_Char*, int);
    static int OnUnknownEncoding(void*, const XML_Char*, XML_Encoding*);
    static void OnSkippedEntity(void*, const XML_Char*, int);
    static void OnEntityDecl(void*, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
                             const XML_Char*, const XML_Char*);
    static void OnNotationDecl(void*, const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*);
    static void OnComment(void*, const XML_Char*);
    static int OnExternalEntityRef(XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*);
    static int OnNotStandalone(void*);
};
