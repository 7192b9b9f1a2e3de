// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/NumberText.h"
#include "model/PlistReaders.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>

// XML property lists through libxml2's streaming (SAX) parser: no document
// tree, the catalogue is built as the elements go by. libxml2 does the XML
// (encodings, entities, well-formedness); this file maps the property-list
// elements to records. Numbers are read from their own text, whatever the
// process locale.

namespace {

enum class Role {
    Plist,    // the <plist> wrapper
    Root,     // the root dictionary: one disease per entry
    Disease,  // a disease dictionary: its fields
    Symptoms, // a disease's "Symptoms": intensities
    Strings,  // an array kept while it holds only strings
    Skipped,  // a container no one reads
};

struct Frame {
    Role role = Role::Skipped;
    bool dict = false;     // entries are <key> then value
    bool haveKey = false;  // a key waits for its value
    bool hadValue = false; // for <plist>: it holds its one value
    std::string key;
    PlistValue value; // Strings, and the type of a Skipped value
};

bool isLeaf(std::string_view name) {
    return name == "key" || name == "string" || name == "integer" || name == "real" ||
           name == "true" || name == "false" || name == "date" || name == "data";
}

std::string typeName(std::string_view element) {
    if (element == "dict") {
        return "a dictionary";
    }
    if (element == "array") {
        return "an array";
    }
    if (element == "integer" || element == "real") {
        return "a number";
    }
    if (element == "true" || element == "false") {
        return "a boolean";
    }
    return "a " + std::string(element);
}

// A number element's text: decimal integers from -2^63 to 2^64-1, reals as
// strtof reads them; white space around either is allowed.
bool readNumber(std::string_view element, std::string_view t, float* out) {
    while (!t.empty() && isXmlSpace(t.front())) {
        t.remove_prefix(1);
    }
    while (!t.empty() && isXmlSpace(t.back())) {
        t.remove_suffix(1);
    }
    if (element == "real") {
        if (const auto v = parseCFloat(t); v && !t.empty() && !isXmlSpace(t.front())) {
            *out = *v;
            return true;
        }
        return false;
    }
    return parsePlistInteger(t, out);
}

// libxml2 reports some faults (bad encodings among them) through its global
// handler, which would print them; the parser's own status says enough.
void ignoreXmlMessage(void*, const char*, ...) {}

class XmlCatalogueReaderImpl {
public:
    explicit XmlCatalogueReaderImpl(CatalogueBuilder& builder) : builder_(builder) {
        xmlInitParser();
        xmlSetGenericErrorFunc(nullptr, ignoreXmlMessage);
        stack_.reserve(kMaxPlistDepth + 1);
        std::memset(&sax_, 0, sizeof sax_);
        sax_.initialized = XML_SAX2_MAGIC;
        sax_.startElementNs = [](void* self, const xmlChar* name, const xmlChar*, const xmlChar*,
                                 int, const xmlChar**, int, int, const xmlChar**) {
            static_cast<XmlCatalogueReaderImpl*>(self)->guard(
                [&](auto& r) { r.start(reinterpret_cast<const char*>(name)); });
        };
        sax_.endElementNs = [](void* self, const xmlChar*, const xmlChar*, const xmlChar*) {
            static_cast<XmlCatalogueReaderImpl*>(self)->guard([](auto& r) { r.end(); });
        };
        sax_.characters = [](void* self, const xmlChar* text, int length) {
            static_cast<XmlCatalogueReaderImpl*>(self)->guard([&](auto& r) {
                r.text(std::string_view(reinterpret_cast<const char*>(text),
                                        static_cast<std::size_t>(length)));
            });
        };
        sax_.cdataBlock = sax_.characters;
        // Entities of the document's own making are refused: a catalogue
        // needs none, and they are how XML is made to blow up.
        sax_.entityDecl = [](void* self, const xmlChar*, int, const xmlChar*, const xmlChar*,
                             xmlChar*) {
            static_cast<XmlCatalogueReaderImpl*>(self)->guard(
                [](auto& r) { r.syntax("the document declares entities"); });
        };
        sax_.serror = [](void* self, xmlErrorPtr error) {
            auto& r = *static_cast<XmlCatalogueReaderImpl*>(self);
            if (error && error->level >= XML_ERR_ERROR && r.xmlError_.empty()) {
                std::string message = error->message ? error->message : "malformed";
                while (!message.empty() && isXmlSpace(message.back())) {
                    message.pop_back();
                }
                r.xmlError_ = "line " + std::to_string(error->line) + ": " + message;
            }
        };
    }
    ~XmlCatalogueReaderImpl() {
        if (ctxt_) {
            xmlFreeParserCtxt(ctxt_);
        }
    }

    void feed(const char* data, std::size_t size, bool last) {
        if (!ctxt_) {
            // libxml2 wants the first bytes at once to tell the encoding.
            const int head = static_cast<int>(std::min<std::size_t>(size, 4));
            ctxt_ = xmlCreatePushParserCtxt(&sax_, this, data, head, nullptr);
            if (!ctxt_) {
                throw std::bad_alloc();
            }
            xmlCtxtUseOptions(ctxt_, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
            data += head;
            size -= static_cast<std::size_t>(head);
        }
        constexpr std::size_t kStep = 1 << 16; // larger pieces parse no faster
        do {
            const std::size_t step = std::min(size, kStep);
            const bool end = last && step == size;
            const int status = xmlParseChunk(ctxt_, data, static_cast<int>(step), end ? 1 : 0);
            if (failure_) {
                std::rethrow_exception(failure_);
            }
            if (status != 0 || (end && !ctxt_->wellFormed)) {
                syntaxFromLibrary();
            }
            data += step;
            size -= step;
        } while (size > 0);
        if (last) {
            if (!rootSeen_) {
                builder_.fail("the property list is empty");
            }
        }
    }

    bool atRootEntry(bool wrapped) const {
        const std::size_t depth = wrapped ? 2 : 1;
        if (!ctxt_ || failure_ || inLeaf_ || !rootSeen_ || stack_.size() != depth ||
            (wrapped && stack_.front().role != Role::Plist) || stack_.back().role != Role::Root ||
            stack_.back().haveKey) {
            return false;
        }
        // libxml2 agrees: inside the same elements, in plain content, reading
        // UTF-8 as it is, with no part of a comment, section or tag held back.
        const xmlParserInputPtr input = ctxt_->input;
        if (ctxt_->nameNr != static_cast<int>(depth) || ctxt_->instate != XML_PARSER_CONTENT ||
            !ctxt_->wellFormed || !input || !input->buf || input->buf->encoder || !input->cur ||
            !input->end) {
            return false;
        }
        for (const xmlChar* c = input->cur; c < input->end; ++c) {
            if (!isXmlSpace(static_cast<char>(*c))) {
                return false;
            }
        }
        return true;
    }

private:
    CatalogueBuilder& builder_;
    xmlSAXHandler sax_;
    xmlParserCtxtPtr ctxt_ = nullptr;
    std::exception_ptr failure_;
    std::string xmlError_;
    std::vector<Frame> stack_;
    bool inLeaf_ = false;
    std::string leaf_;
    std::string text_;
    bool rootSeen_ = false;

    // Callbacks come from C: what they throw is held and thrown again once
    // the parser has returned.
    template <typename F> void guard(F f) {
        if (failure_) {
            return;
        }
        try {
            f(*this);
        } catch (...) {
            failure_ = std::current_exception();
            xmlStopParser(ctxt_);
        }
    }

    [[noreturn]] void syntax(const std::string& what) const {
        const long line = ctxt_ ? xmlSAX2GetLineNumber(ctxt_) : 0;
        builder_.fail("not a valid XML property list (line " + std::to_string(line) + ": " + what +
                      ")");
    }
    [[noreturn]] void syntaxFromLibrary() const {
        builder_.fail("not a valid XML property list (" +
                      (xmlError_.empty() ? std::string("malformed") : xmlError_) + ")");
    }

    static const char* where(Role role) {
        switch (role) {
        case Role::Root:
            return " in the root dictionary";
        case Role::Disease:
            return " in a disease";
        case Role::Symptoms:
            return " in \"Symptoms\"";
        default:
            return "";
        }
    }

    void start(std::string_view name) {
        if (inLeaf_) {
            syntax("<" + std::string(name) + "> inside <" + leaf_ + ">");
        }
        const bool container = name == "dict" || name == "array";
        if (!container && !isLeaf(name) && name != "plist") {
            syntax("unknown element <" + std::string(name) + ">");
        }
        const bool wrapped = !stack_.empty() && stack_.front().role == Role::Plist;
        if (container && stack_.size() - (wrapped ? 1 : 0) >= kMaxPlistDepth) {
            builder_.fail("values nested deeper than " + std::to_string(kMaxPlistDepth) +
                          " levels");
        }
        if (stack_.empty() || stack_.back().role == Role::Plist) {
            startTopLevel(name);
            return;
        }
        Frame& parent = stack_.back();
        if (parent.dict && !parent.haveKey) {
            if (name != "key") {
                syntax("expected <key>" + std::string(where(parent.role)));
            }
            startLeaf(name);
            return;
        }
        switch (parent.role) {
        case Role::Root:
            if (name != "dict") {
                builder_.diseaseNotDictionary(typeName(name));
            }
            push(Role::Disease, true);
            return;
        case Role::Disease:
            if (name == "dict" && parent.key == "Symptoms") {
                push(Role::Symptoms, true);
                builder_.beginSymptoms();
                stack_.back().value.type = PlistValue::Type::SymptomDict;
            } else if (name == "array") {
                push(Role::Strings, false);
                stack_.back().value.type = PlistValue::Type::StringArray;
            } else if (container) {
                push(Role::Skipped, true);
            } else {
                startLeaf(name);
                return;
            }
            stack_.back().value.typeName = typeName(name);
            return;
        case Role::Symptoms:
            if (name != "integer" && name != "real") {
                builder_.symptomNotNumber(parent.key, typeName(name));
            }
            startLeaf(name);
            return;
        case Role::Strings:
            if (name != "string") {
                parent.value.type = PlistValue::Type::Other;
                parent.value.items.clear();
            }
            [[fallthrough]];
        default:
            if (name == "plist") {
                syntax("<plist> inside a value");
            }
            if (container) {
                push(Role::Skipped, name == "dict");
            } else {
                startLeaf(name);
            }
        }
    }

    void startTopLevel(std::string_view name) {
        if (stack_.empty() && name == "plist" && !rootSeen_) {
            push(Role::Plist, false);
            return;
        }
        if (rootSeen_ || (!stack_.empty() && stack_.back().hadValue)) {
            syntax("more than one root value");
        }
        if (!stack_.empty()) {
            stack_.back().hadValue = true;
        }
        rootSeen_ = true;
        if (name != "dict") {
            builder_.fail("the root is " + typeName(name) + ", not a dictionary");
        }
        push(Role::Root, true);
    }

    void push(Role role, bool dict) {
        Frame& frame = stack_.emplace_back();
        frame.role = role;
        frame.dict = dict;
    }

    void startLeaf(std::string_view name) {
        inLeaf_ = true;
        leaf_ = name;
        text_.clear();
    }

    void text(std::string_view text) {
        if (inLeaf_) {
            text_.append(text);
            return;
        }
        for (const char c : text) {
            if (!isXmlSpace(c)) {
                syntax("text where an element was expected");
            }
        }
    }

    void end() {
        if (inLeaf_) {
            inLeaf_ = false;
            endLeaf();
            return;
        }
        Frame frame = std::move(stack_.back());
        stack_.pop_back();
        if (frame.dict && frame.haveKey) {
            syntax("<key> without a value");
        }
        if (frame.role == Role::Plist) {
            if (!frame.hadValue) {
                builder_.fail("the property list is empty");
            }
            return;
        }
        if (frame.role == Role::Root) {
            return;
        }
        Frame& parent = stack_.back();
        if (frame.role == Role::Disease) {
            builder_.endDisease();
        } else if (parent.role == Role::Disease) {
            if (frame.role == Role::Symptoms) {
                frame.value.symptoms = builder_.endSymptoms();
            } else if (frame.role == Role::Skipped) {
                frame.value.type = PlistValue::Type::Other;
            }
            builder_.field(parent.key, std::move(frame.value));
        }
        parent.haveKey = false;
    }

    void endLeaf() {
        Frame& parent = stack_.back();
        if (parent.dict && !parent.haveKey) {
            parent.key = text_;
            parent.haveKey = true;
            if (parent.role == Role::Root) {
                builder_.beginDisease(std::move(parent.key));
            }
            return;
        }
        parent.haveKey = false;
        switch (parent.role) {
        case Role::Disease: {
            PlistValue value;
            value.typeName = typeName(leaf_);
            if (leaf_ == "string") {
                value.type = PlistValue::Type::String;
                value.text = text_; // a copy of its own size; text_ keeps its room
            } else if (leaf_ == "integer" || leaf_ == "real") {
                if (!readNumber(leaf_, text_, &value.number)) {
                    builder_.failInDisease("<" + leaf_ + "> does not hold a number");
                }
                value.type = PlistValue::Type::Number;
            }
            builder_.field(parent.key, std::move(value));
            return;
        }
        case Role::Symptoms: {
            float intensity = 0.0f;
            if (!readNumber(leaf_, text_, &intensity)) {
                builder_.symptomNotNumber(parent.key, "text that is no number");
            }
            builder_.addSymptom(parent.key, intensity);
            return;
        }
        case Role::Strings:
            if (parent.value.type == PlistValue::Type::StringArray) {
                parent.value.items.push_back(text_);
            }
            return;
        default:
            return;
        }
    }
};

} // namespace

struct XmlCatalogueReader::Impl : XmlCatalogueReaderImpl {
    using XmlCatalogueReaderImpl::XmlCatalogueReaderImpl;
};

XmlCatalogueReader::XmlCatalogueReader(CatalogueBuilder& builder)
    : impl_(std::make_unique<Impl>(builder)) {}
XmlCatalogueReader::~XmlCatalogueReader() = default;

void XmlCatalogueReader::feed(std::string_view bytes, bool last) {
    impl_->feed(bytes.data(), bytes.size(), last);
}

bool XmlCatalogueReader::atRootEntry(bool wrapped) const {
    return impl_->atRootEntry(wrapped);
}

void readXmlCatalogue(std::string_view xml, CatalogueBuilder& builder) {
    XmlCatalogueReader reader(builder);
    reader.feed(xml, true);
}
