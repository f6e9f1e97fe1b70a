"""Layout model for the goldens, transcribed from the written description of
the layout model (region record, region defaults, page style block, pane
switches, document flags, button style record and predefined styles).

Two layouts are defined:
  default_layout()  the model right after every region's reset, no file loaded
  changed_layout()  the default layout with every assignment of changed_fields()
                    applied (changed/fields.txt lists the same assignments)

Nothing here is taken from the program's implementation or its output.
"""

# ---------------------------------------------------------------------------
# Regions, in registration order (team decision 1): the iteration order of
# the application pages pane's region map.
REGIONS = [
    "KwRootTop",
    "KwRootNavigate",
    "KwPics",
    "KwNavigateHeader",
    "KwNavigate",
    "KwStartTop",
    "KwStartNavigate",
    "KwApplication",
]

# Region record, fields in the order of the record table, with the base
# defaults ("not set" = zero: black colour, false, empty text).
REGION_RECORD = [
    ("backgroundColor", "colour", "#88C0B8"),
    ("textColor", "colour", "#000000"),
    ("hoverColor", "colour", "#FFFF00"),
    ("selectedColor", "colour", "#CCCCFF"),
    ("subTextColor", "colour", "#000000"),
    ("subHoverColor", "colour", "#000000"),
    ("subSelectedColor", "colour", "#000000"),
    ("fontFamily", "text", "Verdana"),
    ("fontWeight", "text", "700"),
    ("fontSize", "int", 11),
    ("subFontFamily", "text", "Verdana"),
    ("subFontWeight", "text", "700"),
    ("subFontSize", "int", 11),
    ("backgroundRepeat", "text", ""),
    ("backgroundAttachment", "text", ""),
    ("backgroundImage", "text", ""),
    ("textAlign", "text", ""),
    ("textDecoration", "text", ""),
    ("verticalAlign", "text", ""),
    ("whiteSpace", "text", ""),
    ("useBackgroundImage", "bool", True),
    ("showButtonEffect", "bool", False),
    ("focusBorderColor", "colour", "#000000"),
    ("focusColor", "colour", "#000000"),
    ("clickBorderColor", "colour", "#000000"),
    ("clickColor", "colour", "#000000"),
    ("itemImage", "text", ""),
    ("separatorImage", "text", ""),
    ("buttonImageNormal", "text", ""),
    ("buttonImageMouse", "text", ""),
    ("buttonImageSelect", "text", ""),
    ("closeLeafsImage", "text", ""),
    ("openLeafImage", "text", ""),
    ("closedLeafImage", "text", ""),
    ("loginButtonImage", "text", ""),
    ("borderStyle", "text", ""),
    ("showFavorites", "bool", False),
]

MENU_EFFECT_DEFAULTS = {
    "showButtonEffect": False,
    "focusBorderColor": "#888888",
    "focusColor": "#888888",
    "clickBorderColor": "#888888",
    "clickColor": "#888888",
}

# Region defaults that differ from the record's own (region table).
REGION_OWN_DEFAULTS = {
    "KwRootTop": {
        "backgroundColor": "#489088", "textColor": "#FFFFFF",
        "textAlign": "center", "verticalAlign": "middle", "whiteSpace": "nowrap",
    },
    "KwRootNavigate": dict(
        hoverColor="#CCCCFF", selectedColor="#FFFF00", textDecoration="none",
        verticalAlign="middle", whiteSpace="nowrap",
        backgroundRepeat="no-repeat", backgroundAttachment="fixed",
        **MENU_EFFECT_DEFAULTS),
    "KwPics": {
        "backgroundColor": "#000000", "textColor": "#FFFFFF",
        "backgroundRepeat": "no-repeat", "backgroundAttachment": "scroll",
        # no background picture: the corner picture of string 12605 is given
        # to a new layout only
    },
    "KwNavigateHeader": {"backgroundColor": "#489088", "textColor": "#FFFFFF"},
    "KwNavigate": dict(subTextColor="#000000", **MENU_EFFECT_DEFAULTS),
    "KwStartTop": {
        "backgroundColor": "#489088", "fontSize": 17,
        "verticalAlign": "middle", "whiteSpace": "nowrap",
    },
    "KwStartNavigate": dict(
        textColor="#FFFFFF", hoverColor="#CCCCFF", selectedColor="#FFFF00",
        textDecoration="none", verticalAlign="middle", whiteSpace="nowrap",
        **MENU_EFFECT_DEFAULTS),
    "KwApplication": {"backgroundColor": "#FFFFFF", "useBackgroundImage": False},
}

# Page style block of KwApplication, in the order of the description.
PAGE_FIELDS = [
    # Portal
    ("portalFontFamily", "text", ""),
    ("portletTitleFontFamily", "text", "Verdana"),
    ("portalFontWeight", "text", "700"),
    ("portalTextColor", "colour", "#000000"),
    ("portalBackgroundColor", "colour", "#489088"),
    ("portalFontSize", "int", 13),
    # Links
    ("linkColor", "colour", "#489088"),
    ("linkHoverColor", "colour", "#000066"),
    # Headings
    ("heading1Color", "colour", "#666666"),
    ("heading2Color", "colour", "#666666"),
    ("heading3Color", "colour", "#666666"),
    ("heading1Font", "text", "Verdana"),
    ("heading2Font", "text", "Verdana"),
    ("heading3Font", "text", "Verdana"),
    ("heading1Size", "int", 19),
    ("heading2Size", "int", 17),
    ("heading3Size", "int", 13),
    ("heading1Weight", "text", "700"),
    ("heading2Weight", "text", "700"),
    ("heading3Weight", "text", "700"),
    ("bulletBigPath", "text", ""),
    ("bulletSmallPath", "text", ""),
    # Table head
    ("tableHeadLinkColor", "colour", "#489088"),
    ("tableHeadLinkHoverColor", "colour", "#88C0B8"),
    ("tableHeadClickedColor", "colour", "#FF9900"),
    ("tableHeadLinkFont", "text", ""),
    ("gridTitleFont", "text", "Verdana"),
    ("tableHeadLinkSize", "int", 12),
    ("tableHeadLinkWeight", "text", "700"),
    ("gridTitleWeight", "text", "900"),
    ("gridTitleSize", "int", 12),
    # Tables
    ("gridBorderWidth", "int", 2),
    ("gridBorderColor", "colour", "#404040"),
    ("gridHeaderColor", "colour", "#DDFFDD"),
    ("gridHeaderSplitColor", "colour", "#5C5C5C"),
    ("gridTitleBackgroundColor", "colour", "#909090"),
    ("gridTitleTextColor", "colour", "#000000"),
    ("firstRowColor", "colour", "#EEEEEE"),
    ("secondRowColor", "colour", "#AAAAAA"),
    ("gridTextColor", "colour", "#000000"),
    # Portlets
    ("portletLinkColor", "colour", "#489088"),
    ("portletHeaderClickedColor", "colour", "#FF9900"),
    ("portletLinkHoverColor", "colour", "#88C0B8"),
    ("portletHeaderSize", "int", 12),
    ("portletHeaderWeight", "text", "700"),
    ("portletBorderColor", "colour", "#404040"),
    ("portletHeaderBackgroundColor", "colour", "#909090"),
    ("portletFirstRowColor", "colour", "#EEEEEE"),
    ("portletSecondRowColor", "colour", "#AAAAAA"),
    ("portletHeaderTextColor", "colour", "#000000"),
    ("portletTextColor", "colour", "#000000"),
    ("showPortletShadow", "bool", False),
    # Highlighted links
    ("mainLinkFont", "text", "Verdana"),
    ("mainLinkSize", "int", 11),
    ("mainLinkWeight", "text", "400"),
    # Entry fields
    ("entryBackgroundColor", "colour", "#489088"),
    ("entryForegroundColor", "colour", "#000000"),
    ("entrySelectionBackgroundColor", "colour", "#489088"),
    ("entrySelectionForegroundColor", "colour", "#000000"),
    ("entryBorderColor", "colour", "#FF9900"),
    ("entryBorderStyle", "text", "solid"),
    ("entryBorderWidth", "int", 1),
    ("requiredImage", "text", ""),
]

# Pane switches (team decision 5: all false in the default layout).
SWITCHES = [
    "showLogo", "showWelcome", "showInfoBar", "enableGlobalSearch",
    "enableEmplSearch", "enableEmplSearchAno", "enableAppSearch",
    "enableAppSearchAno", "showAppInfoBar", "showPicture", "useTreeMenu",
    "menuRight",
]

# Button style record, fields in record order, with the style defaults.
BUTTON_FIELDS = [
    ("denotation", "text", ""),
    ("description", "text", ""),
    ("backgroundColor", "colour", "#E8E8E8"),
    ("textColor", "colour", "#000000"),
    ("borderTopLeftColor", "colour", "#CCCCCC"),
    ("borderBottomRightColor", "colour", "#000000"),
    ("borderStyle", "text", ""),
    ("backgroundImage", "text", ""),
    ("fontFamily", "text", "Arial, Verdana"),
    ("fontWeight", "int", 6),
    ("textAlign", "int", 2),
    ("fontSize", "int", 11),
    ("height", "int", 27),
    ("marginLeft", "int", 0),
    ("marginRight", "int", 1),
    ("marginTop", "int", 0),
    ("marginBottom", "int", 0),
    ("paddingLeft", "int", 5),
    ("paddingRight", "int", 5),
    ("paddingTop", "int", 0),
    ("paddingBottom", "int", 0),
    ("borderWidth", "int", 1),
    ("deletable", "bool", True),
]

# The nine predefined keys, in list order.
BUTTON_KEYS = ["KwButton" + s for s in (
    "", "SaveNew", "SaveGoto", "SaveChanges", "Delete", "Cancel",
    "GotoNew", "GotoPage", "GotoOther")]


def default_layout():
    regions = {}
    for name in REGIONS:
        rec = {f: d for f, _, d in REGION_RECORD}
        rec.update(REGION_OWN_DEFAULTS[name])
        regions[name] = rec
    page = {f: d for f, _, d in PAGE_FIELDS}
    switches = {s: False for s in SWITCHES}
    # ensurePredefined on an empty list: KwButton with the style defaults, not
    # deletable; the other eight copies of it with empty denotation and
    # description, not deletable (team decision 4: denotations stay empty).
    buttons = []
    for key in BUTTON_KEYS:
        b = {f: d for f, _, d in BUTTON_FIELDS}
        b["key"] = key
        b["deletable"] = False
        buttons.append(b)
    return {
        "regions": regions,
        "page": page,
        "switches": switches,
        "buttons": buttons,
        "doc": {"entryStyleFromCss": False, "buttonStylesLoaded": False},
    }


# ---------------------------------------------------------------------------
# The changed layout.  Every field differs from its default, except
# useBackgroundImage (kept: true for the seven regions, false for
# KwApplication) and the first button style's deletable (forced false).

REGION_ABBR = {
    "KwRootTop": "rt", "KwRootNavigate": "rn", "KwPics": "pi",
    "KwNavigateHeader": "nh", "KwNavigate": "nv", "KwStartTop": "st",
    "KwStartNavigate": "sn", "KwApplication": "ap",
}

# colour of region r (1..8), colour field f (1..11): "#" rr ff "A0"
REGION_COLOUR_FIELDS = [
    "backgroundColor", "textColor", "hoverColor", "selectedColor",
    "subTextColor", "subHoverColor", "subSelectedColor",
    "focusBorderColor", "focusColor", "clickBorderColor", "clickColor",
]

REGION_TEXTS = {
    #                 fontFamily, fontWeight, subFontFamily, subFontWeight
    "KwRootTop":        ("Courier New, monospace", "300", "Courier, monospace", "100"),
    "KwRootNavigate":   ("Arial Black, sans-serif", "500", "Arial Narrow", "200"),
    "KwPics":           ("Georgia, serif", "600", "Garamond", "300"),
    "KwNavigateHeader": ("Tahoma", "800", "Trebuchet MS", "400"),
    "KwNavigate":       ("Times New Roman, serif", "900", "Book Antiqua, serif", "500"),
    "KwStartTop":       ("Lucida Console", "100", "Lucida Sans Unicode", "600"),
    "KwStartNavigate":  ("Impact, fantasy", "200", "Comic Sans MS, cursive", "800"),
    "KwApplication":    ("Palatino Linotype, serif", "400", "Century Gothic", "900"),
}

REGION_KEYWORDS = {
    #            repeat,     attachment, textAlign, textDecoration, verticalAlign, whiteSpace, borderStyle
    "KwRootTop":        ("repeat-x", "fixed", "right", "underline", "top", "pre", "solid"),
    "KwRootNavigate":   ("repeat", "scroll", "left", "overline", "bottom", "normal", "groove"),
    "KwPics":           ("repeat-y", "fixed", "center", "line-through", "middle", "nowrap", "dotted"),
    "KwNavigateHeader": ("repeat", "scroll", "right", "underline", "top", "pre", "dashed"),
    "KwNavigate":       ("repeat-x", "fixed", "justify", "overline", "baseline", "pre-wrap", "outset"),
    "KwStartTop":       ("repeat-y", "scroll", "left", "line-through", "bottom", "pre", "double"),
    "KwStartNavigate":  ("no-repeat", "fixed", "right", "underline", "top", "normal", "ridge"),
    "KwApplication":    ("repeat", "fixed", "center", "overline", "baseline", "pre-line", "inset"),
}

REGION_PICTURES = [
    ("backgroundImage", "bg"),
    ("itemImage", "item"),
    ("separatorImage", "sep"),
    ("buttonImageNormal", "btnnorm"),
    ("buttonImageMouse", "btnmouse"),
    ("buttonImageSelect", "btnsel"),
    ("closeLeafsImage", "closeleafs"),
    ("openLeafImage", "openleaf"),
    ("closedLeafImage", "closedleaf"),
    ("loginButtonImage", "login"),
]

# colour of the page block, index i in this order: "#B0" ii "B0"
PAGE_COLOUR_ORDER = [f for f, t, _ in PAGE_FIELDS if t == "colour"]

PAGE_OTHER_CHANGED = {
    "portalFontFamily": "Segoe UI, sans-serif",
    "portletTitleFontFamily": "Calibri",
    "portalFontWeight": "100",
    "portalFontSize": 41,
    "heading1Font": "Cambria",
    "heading2Font": "Candara",
    "heading3Font": "Consolas, monospace",
    "heading1Size": 42,
    "heading2Size": 43,
    "heading3Size": 44,
    "heading1Weight": "200",
    "heading2Weight": "300",
    "heading3Weight": "400",
    "bulletBigPath": "bulletbig.gif",
    "bulletSmallPath": "bulletsmall.gif",
    "tableHeadLinkFont": "Constantia",
    "gridTitleFont": "Corbel",
    "tableHeadLinkSize": 45,
    "tableHeadLinkWeight": "500",
    "gridTitleWeight": "600",
    "gridTitleSize": 46,
    "gridBorderWidth": 4,
    "portletHeaderSize": 48,
    "portletHeaderWeight": "800",
    "showPortletShadow": True,
    "mainLinkFont": "Franklin Gothic Medium",
    "mainLinkSize": 49,
    "mainLinkWeight": "900",
    "entryBorderStyle": "dashed",
    "entryBorderWidth": 5,
    "requiredImage": "required.gif",
}

BUTTON_DENOTATIONS = [
    "Std Button", "Save and New", "Save and Goto", "Save Changes",
    "Delete Item", "Cancel Edit", "Goto New", "Goto Page", "Goto Other App",
]
BUTTON_FONTS = [
    "MS Sans Serif", "Helvetica, Arial", "Geneva", "Optima", "Futura",
    "Gill Sans", "Rockwell", "Didot", "Baskerville, serif",
]
BUTTON_WEIGHT_INDEX = [0, 1, 2, 3, 4, 5, 7, 8, 3]   # default 6
BUTTON_BORDER_STYLES = [
    "solid", "dotted", "dashed", "double", "groove", "ridge", "inset",
    "outset", "none",
]
BUTTON_DELETABLE = [False, True, False, True, True, False, True, True, True]


def fmt_value(v):
    if isinstance(v, bool):
        return "true" if v else "false"
    return str(v)


def changed_fields():
    """The assignments of changed/fields.txt, in file order, as (key, value)."""
    out = []
    # region record fields, per region in registration order, record order
    for r, name in enumerate(REGIONS, start=1):
        fam, wt, sfam, swt = REGION_TEXTS[name]
        rep, att, ta, td, va, ws, bs = REGION_KEYWORDS[name]
        abbr = REGION_ABBR[name]
        vals = {}
        for f, field in enumerate(REGION_COLOUR_FIELDS, start=1):
            vals[field] = "#%02X%02XA0" % (r, f)
        vals.update(fontFamily=fam, fontWeight=wt, fontSize=20 + r,
                    subFontFamily=sfam, subFontWeight=swt, subFontSize=30 + r,
                    backgroundRepeat=rep, backgroundAttachment=att,
                    textAlign=ta, textDecoration=td, verticalAlign=va,
                    whiteSpace=ws, borderStyle=bs,
                    useBackgroundImage=(name != "KwApplication"),
                    showButtonEffect=True, showFavorites=True)
        for field, stem in REGION_PICTURES:
            vals[field] = "%s_%s.gif" % (abbr, stem)
        for field, _, _ in REGION_RECORD:
            out.append(("%s.%s" % (name, field), vals[field]))
    # page style block
    for field, typ, _ in PAGE_FIELDS:
        if typ == "colour":
            i = PAGE_COLOUR_ORDER.index(field) + 1
            v = "#B0%02XB0" % i
        else:
            v = PAGE_OTHER_CHANGED[field]
        out.append(("page.%s" % field, v))
    # pane switches
    for s in SWITCHES:
        out.append(("switch.%s" % s, True))
    # button styles
    for s, key in enumerate(BUTTON_KEYS, start=1):
        i = s - 1
        vals = {
            "denotation": BUTTON_DENOTATIONS[i],
            "description": "Description %d of %s" % (s, key),
            "backgroundColor": "#C%d010C" % s,
            "textColor": "#C%d020C" % s,
            "borderTopLeftColor": "#C%d030C" % s,
            "borderBottomRightColor": "#C%d040C" % s,
            "borderStyle": BUTTON_BORDER_STYLES[i],
            "backgroundImage": "btn%d.gif" % s,
            "fontFamily": BUTTON_FONTS[i],
            "fontWeight": BUTTON_WEIGHT_INDEX[i],
            "textAlign": 0 if s % 2 else 1,
            "fontSize": 11 + s,
            "height": 30 + s,
            "marginLeft": s,
            "marginRight": 10 + s,
            "marginTop": 20 + s,
            "marginBottom": 30 + s,
            "paddingLeft": 40 + s,
            "paddingRight": 50 + s,
            "paddingTop": 60 + s,
            "paddingBottom": 70 + s,
            "borderWidth": 1 + s,
            "deletable": BUTTON_DELETABLE[i],
        }
        for field, _, _ in BUTTON_FIELDS:
            out.append(("button.%s.%s" % (key, field), vals[field]))
    out.append(("doc.entryStyleFromCss", True))
    out.append(("doc.buttonStylesLoaded", True))
    return out


def apply_fields(layout, fields):
    for key, value in fields:
        parts = key.split(".")
        if parts[0] in layout["regions"]:
            layout["regions"][parts[0]][parts[1]] = value
        elif parts[0] == "page":
            layout["page"][parts[1]] = value
        elif parts[0] == "switch":
            layout["switches"][parts[1]] = value
        elif parts[0] == "button":
            b = [x for x in layout["buttons"] if x["key"] == parts[1]][0]
            b[parts[2]] = value
        elif parts[0] == "doc":
            layout["doc"][parts[1]] = value
        else:
            raise KeyError(key)
    # the list forces the first style not deletable
    layout["buttons"][0]["deletable"] = False
    return layout


def changed_layout():
    return apply_fields(default_layout(), changed_fields())


def fields_txt():
    return "".join("%s=%s\n" % (k, fmt_value(v)) for k, v in changed_fields())
