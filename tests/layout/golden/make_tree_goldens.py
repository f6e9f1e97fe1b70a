#!/usr/bin/env python3
"""Writes the expected element trees (*.tree) and changed/fields.txt.

Each builder below follows, step by step, the written description of the
layout file tree, of menu.css, of buttonstyles.css / the button style rules,
and of the style rules the regions add at save (rules A to D).  Nothing is
taken from the program's implementation or its output.

Run:  python3 -B make_tree_goldens.py     (from any directory)
"""
import os
import sys

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import golden_model as gm  # noqa: E402

TAG, CLASS, PSEUDO, BLOCK = 1, 2, 4, 5
KIND_LETTER = {TAG: "T", CLASS: "C", PSEUDO: "P", BLOCK: "B"}


class El:
    def __init__(self, name, kind):
        self.name = name
        self.kind = kind
        self.props = []      # [name, value], in creation order
        self.children = []

    def set(self, name, value):
        # setting an existing property replaces its value in place
        for p in self.props:
            if p[0] == name:
                p[1] = value
                return self
        self.props.append([name, value])
        return self

    def child(self, el):
        self.children.append(el)
        return el

    def find(self, name):
        for c in self.children:
            if c.name == name:
                return c
        return None


def colour(c):
    # the model stores "#RRGGBB" already in upper case
    assert len(c) == 7 and c[0] == "#" and c == c.upper(), c
    return c


def px(n):
    return "%dpx" % n


def url(name):
    return "url(../images/company/%s)" % name


def b(v):
    return "true" if v else "false"


def setting_picture(name):
    # setting form of a picture; empty text when there is none
    return "../images/company/" + name if name else ""


def border_style_value(s):
    return "none" if s in ("", "true", "false") else s


def entry_border(page):
    return "%s %dpx %s" % (colour(page["entryBorderColor"]),
                           page["entryBorderWidth"], page["entryBorderStyle"])


def body_picture(el, rec):
    """Background picture as written for BODY (and BODY > R, menu.css BODY > R)."""
    if rec["backgroundImage"]:
        el.set("BACKGROUND-ATTACHMENT", rec["backgroundAttachment"])
        el.set("BACKGROUND-REPEAT", rec["backgroundRepeat"])
        el.set("BACKGROUND-IMAGE", url(rec["backgroundImage"]))
    else:
        el.set("BACKGROUND-IMAGE", "none")


def qualifying(layout):
    """R: the regions whose useBackgroundImage is true, registration order."""
    return [n for n in gm.REGIONS if layout["regions"][n]["useBackgroundImage"]]


def td_region(el, rec):
    el.set("COLOR", colour(rec["textColor"]))
    el.set("FONT-FAMILY", rec["fontFamily"])
    el.set("FONT-SIZE", px(rec["fontSize"]))
    el.set("FONT-WEIGHT", rec["fontWeight"])
    if rec["textAlign"]:
        el.set("TEXT-ALIGN", rec["textAlign"])
    if rec["textDecoration"]:          # team decision 2
        el.set("TEXT-DECORATION", rec["textDecoration"])
    if rec["verticalAlign"]:
        el.set("VERTICAL-ALIGN", rec["verticalAlign"])
    if rec["whiteSpace"]:
        el.set("WHITE-SPACE", rec["whiteSpace"])


# --------------------------------------------------------------------------
# Button styles: writeRules and writeBlock

def weight_text(index):
    w = (index + 1) * 100
    if w == 400:
        return "normal"
    if w == 700:
        return "bold"
    return str(w)


def align_text(index):
    return ["center", "left", "right"][index] if 0 <= index <= 2 else "center"


def write_button_rules(parent, buttons):
    for s in buttons:
        e = parent.child(El(s["key"], CLASS))
        e.set("COLOR", colour(s["textColor"]))
        if s["borderStyle"]:
            e.set("BORDER-STYLE", s["borderStyle"])
        e.set("BORDER-TOP-COLOR", colour(s["borderTopLeftColor"]))
        e.set("BORDER-LEFT-COLOR", colour(s["borderTopLeftColor"]))
        e.set("BORDER-RIGHT-COLOR", colour(s["borderBottomRightColor"]))
        e.set("BORDER-BOTTOM-COLOR", colour(s["borderBottomRightColor"]))
        e.set("HEIGHT", px(s["height"]))
        e.set("BORDER-WIDTH", px(s["borderWidth"]))
        if s["fontFamily"]:
            e.set("FONT-FAMILY", s["fontFamily"])
        e.set("FONT-SIZE", px(s["fontSize"]))
        e.set("FONT-WEIGHT", weight_text(s["fontWeight"]))
        if s["backgroundImage"]:
            e.set("BACKGROUND-REPEAT", "no-repeat")
            e.set("BACKGROUND-IMAGE", url(s["backgroundImage"]))
        e.set("BACKGROUND-COLOR", colour(s["backgroundColor"]))
        e.set("TEXT-ALIGN", align_text(s["textAlign"]))
        e.set("MARGIN-TOP", px(s["marginTop"]))
        e.set("MARGIN-LEFT", px(s["marginLeft"]))
        e.set("MARGIN-BOTTOM", px(s["marginBottom"]))
        e.set("MARGIN-RIGHT", px(s["marginRight"]))
        e.set("PADDING-TOP", px(s["paddingTop"]))
        e.set("PADDING-LEFT", px(s["paddingLeft"]))
        e.set("PADDING-BOTTOM", px(s["paddingBottom"]))
        e.set("PADDING-RIGHT", px(s["paddingRight"]))


def write_button_block(root, buttons):
    blk = root.child(El("KwButtonStyles", BLOCK))
    for s in buttons:
        e = blk.child(El(s["key"], CLASS))
        e.set("DENOTATION", s["denotation"])
        e.set("DESCRIPTION", s["description"])
        e.set("DELETABLE", b(s["deletable"]))


# --------------------------------------------------------------------------
# Rules A to D (region contributions at save)

def rules_a(root, x, with_width=True):
    table = root.find("TABLE")
    if table is not None:
        e = table.child(El(x, CLASS))
        e.set("HEIGHT", "100%")
        if with_width:
            e.set("WIDTH", "100%")
        e.set("VERTICAL-ALIGN", "middle")
    tr = root.find("TR")
    if tr is None:
        tr = El("TR", TAG)
        root.child(tr)       # a TR created here is added to the root last
    tr.child(El(x, CLASS)).set("VERTICAL-ALIGN", "middle")


def rule_b(root, rec):
    th = root.find("TH")
    if th is None:
        th = root.child(El("TH", TAG))
    e = th.child(El("KwNavigate", CLASS))
    e.set("BACKGROUND-COLOR", colour(rec["backgroundColor"]))
    if rec["backgroundImage"]:
        e.set("BACKGROUND-IMAGE", url(rec["backgroundImage"]))
        e.set("BACKGROUND-ATTACHMENT", rec["backgroundAttachment"])
        e.set("BACKGROUND-REPEAT", rec["backgroundRepeat"])
    else:
        e.set("BACKGROUND-IMAGE", "none")
    e.set("COLOR", colour(rec["textColor"]))
    e.set("FONT-FAMILY", rec["fontFamily"])
    e.set("FONT-SIZE", px(rec["fontSize"]))
    e.set("FONT-WEIGHT", rec["fontWeight"])
    e.set("TEXT-ALIGN", "center")
    e.set("TEXT-DECORATION", "none")
    e.set("WHITE-SPACE", "nowrap")


def rule_c(root):
    table = root.find("TABLE")
    if table is not None:
        table.child(El("KwNavigate", CLASS))


def save_extras(root, layout):
    # start page pane's KwApplication first: adds nothing (company settings
    # unchanged); then the application pages pane's regions except
    # KwApplication, in registration order.
    for name in gm.REGIONS:
        rec = layout["regions"][name]
        if name in ("KwRootTop", "KwRootNavigate", "KwStartTop"):
            rules_a(root, name)
        elif name == "KwStartNavigate":
            rules_a(root, name, with_width=False)      # rules D
        elif name == "KwNavigate":
            rule_c(root)
        elif name == "KwNavigateHeader":
            rule_b(root, rec)
        # KwPics: none; KwApplication (application pages pane): not asked


# --------------------------------------------------------------------------
# The layout tree (global.css, named .kwc)

def layout_tree(layout, active):
    regs = layout["regions"]
    app = regs["KwApplication"]
    page = layout["page"]
    sw = layout["switches"]
    doc = layout["doc"]
    R = qualifying(layout)
    root = El("", 0)

    # 1. BODY
    body = root.child(El("BODY", TAG))
    body.set("BACKGROUND-COLOR", colour(app["backgroundColor"]))
    body.set("COLOR", colour(app["textColor"]))
    body.set("FONT-FAMILY", app["fontFamily"])
    body.set("FONT-SIZE", px(app["fontSize"]))
    body.set("FONT-WEIGHT", app["fontWeight"])
    body.set("LIST-STYLE", "square")
    body.set("BORDER", "none")
    body_picture(body, app)
    for n in R:
        e = body.child(El(n, CLASS))
        e.set("BACKGROUND-COLOR", colour(regs[n]["backgroundColor"]))
        body_picture(e, regs[n])

    # 2. TD
    td = root.child(El("TD", TAG))
    td.set("COLOR", colour(app["textColor"]))
    td.set("FONT-FAMILY", app["fontFamily"])
    td.set("FONT-SIZE", px(app["fontSize"]))
    td.set("FONT-WEIGHT", app["fontWeight"])
    td.set("TEXT-ALIGN", "left")
    e = td.child(El("KwPortal", CLASS))
    e.set("COLOR", colour(page["portalTextColor"]))
    e.set("BACKGROUND-COLOR", colour(page["portalBackgroundColor"]))
    e.set("FONT-FAMILY", page["portalFontFamily"])
    e.set("FONT-SIZE", px(page["portalFontSize"]))
    e.set("FONT-WEIGHT", page["portalFontWeight"])
    e.set("TEXT-ALIGN", "left")
    e = td.child(El("OnlineHelp", CLASS))
    e.set("COLOR", colour(app["textColor"]))
    e.set("FONT-FAMILY", app["fontFamily"])
    e.set("FONT-SIZE", px(app["fontSize"]))
    e.set("FONT-WEIGHT", app["fontWeight"])
    e.set("FONT-STYLE", "italic")
    e = td.child(El("KwGridTitle", CLASS))
    e.set("FONT-WEIGHT", page["gridTitleWeight"])
    e.set("FONT-SIZE", px(page["gridTitleSize"]))
    e.set("COLOR", colour(page["gridTitleTextColor"]))
    e.set("FONT-FAMILY", page["gridTitleFont"])
    e = td.child(El("KwPortletTitle", CLASS))
    e.set("COLOR", colour(page["portalTextColor"]))
    e.set("FONT-FAMILY", page["portletTitleFontFamily"])
    e.set("FONT-SIZE", px(page["portalFontSize"]))
    e.set("FONT-WEIGHT", page["portalFontWeight"])
    e.set("TEXT-ALIGN", "left")
    e = td.child(El("KwPortletHeader", CLASS))
    e.set("BACKGROUND-COLOR", colour(page["portletHeaderBackgroundColor"]))
    e.set("COLOR", colour(page["portletHeaderTextColor"]))
    e.set("FONT-FAMILY", page["portalFontFamily"])
    e.set("FONT-SIZE", px(page["portletHeaderSize"]))
    e.set("FONT-WEIGHT", page["portletHeaderWeight"])
    e.set("TEXT-ALIGN", "left")
    td.child(El("KwGridText", CLASS)).set("COLOR", colour(page["gridTextColor"]))
    td.child(El("KwPortletText", CLASS)).set("COLOR", colour(page["portletTextColor"]))
    e = td.child(El("KwGridEntries", CLASS))
    e.set("PADDING-BOTTOM", "3px")
    e.set("PADDING-TOP", "3px")
    e.set("PADDING-RIGHT", "5px")
    e.set("PADDING-LEFT", "5px")
    td.child(El("KwFirstPortletBorder", CLASS)).set(
        "BACKGROUND-COLOR", colour(page["portletBorderColor"]))
    for n in R:
        if n == "KwPics":
            continue
        td_region(td.child(El(n, CLASS)), regs[n])

    # 3. TABLE
    table = root.child(El("TABLE", TAG))
    e = table.child(El("KwFirstGridBorder", CLASS))
    e.set("BORDER-WIDTH", px(page["gridBorderWidth"]))
    e.set("BORDER-STYLE", "groove")
    e.set("BORDER-COLOR", colour(page["gridBorderColor"]))
    table.child(El("KwFirstPortletBorder", CLASS)).set(
        "BORDER-COLOR", colour(page["portletBorderColor"]))

    # 4. H1 / TD > H1, H2 / TD > H2, H3 / TD > H3
    for lvl in (1, 2, 3):
        props = [
            ("COLOR", colour(page["heading%dColor" % lvl])),
            ("FONT-FAMILY", page["heading%dFont" % lvl]),
            ("FONT-SIZE", px(page["heading%dSize" % lvl])),
            ("FONT-WEIGHT", page["heading%dWeight" % lvl]),
        ]
        h = root.child(El("H%d" % lvl, TAG))
        for k, v in props:
            h.set(k, v)
        td2 = root.child(El("TD", TAG))
        h = td2.child(El("H%d" % lvl, CLASS))
        for k, v in props:
            h.set(k, v)

    # 5. TH
    th = root.child(El("TH", TAG))
    th.set("COLOR", colour(page["heading3Color"]))
    th.set("FONT-FAMILY", page["heading3Font"])
    th.set("FONT-SIZE", px(page["heading3Size"]))
    th.set("FONT-WEIGHT", page["heading3Weight"])
    th.set("TEXT-ALIGN", "left")
    e = th.child(El("KwGridHeader", CLASS))
    e.set("PADDING-BOTTOM", "3px")
    e.set("PADDING-TOP", "3px")
    e.set("PADDING-RIGHT", "5px")
    e.set("PADDING-LEFT", "5px")
    e = th.child(El("KwPortletHeader", CLASS))
    e.set("PADDING-BOTTOM", "3px")
    e.set("PADDING-TOP", "3px")
    e.set("PADDING-RIGHT", "15px")
    e.set("PADDING-LEFT", "15px")
    e.set("FONT-FAMILY", page["portalFontFamily"])
    e.set("FONT-SIZE", px(page["portletHeaderSize"]))
    e.set("FONT-WEIGHT", page["portletHeaderWeight"])
    e.set("TEXT-ALIGN", "left")

    # 6. TR
    tr = root.child(El("TR", TAG))
    e = tr.child(El("KwGridTitle", CLASS))
    e.set("PADDING-BOTTOM", "3px")
    e.set("PADDING-TOP", "3px")
    e.set("BACKGROUND-COLOR", colour(page["gridTitleBackgroundColor"]))
    tr.child(El("KwGridHeader", CLASS)).set(
        "BACKGROUND-COLOR", colour(page["gridHeaderColor"]))
    tr.child(El("KwGridHeaderSplit", CLASS)).set(
        "BACKGROUND-COLOR", colour(page["gridHeaderSplitColor"]))
    e = tr.child(El("KwPortletTitle", CLASS))
    e.set("PADDING-BOTTOM", "3px")
    e.set("PADDING-TOP", "3px")
    e.set("BACKGROUND-COLOR", colour(page["portalBackgroundColor"]))
    e = tr.child(El("KwPortletHeader", CLASS))     # as under TD
    e.set("BACKGROUND-COLOR", colour(page["portletHeaderBackgroundColor"]))
    e.set("COLOR", colour(page["portletHeaderTextColor"]))
    e.set("FONT-FAMILY", page["portalFontFamily"])
    e.set("FONT-SIZE", px(page["portletHeaderSize"]))
    e.set("FONT-WEIGHT", page["portletHeaderWeight"])
    e.set("TEXT-ALIGN", "left")

    # 7. A
    a = root.child(El("A", TAG))

    def link_set(parent, col_active, col_link, col_hover, fonts, deco):
        # deco: (active, link/visited, hover) decorations
        for pname, col, d in (("active", col_active, deco[0]),
                              ("link", col_link, deco[1]),
                              ("visited", col_link, deco[1]),
                              ("hover", col_hover, deco[2])):
            p = parent.child(El(pname, PSEUDO))
            p.set("COLOR", col)
            for k, v in fonts:
                p.set(k, v)
            p.set("TEXT-DECORATION", d)

    page_font = [("FONT-FAMILY", app["fontFamily"]),
                 ("FONT-SIZE", px(app["fontSize"]))]
    link_set(a, "#FF0000", colour(page["linkColor"]),
             colour(page["linkHoverColor"]), page_font,
             ("underline", "none", "underline"))
    ml = a.child(El("KwMainLink", CLASS))
    link_set(ml, "#FF0000", colour(page["linkColor"]),
             colour(page["linkHoverColor"]),
             [("FONT-FAMILY", page["mainLinkFont"]),
              ("FONT-SIZE", px(page["mainLinkSize"])),
              ("FONT-WEIGHT", page["mainLinkWeight"])],
             ("underline", "none", "underline"))
    pt = a.child(El("KwPortletText", CLASS))
    link_set(pt, "#FF0000", colour(page["portletLinkColor"]),
             colour(page["portletLinkHoverColor"]), [],
             ("underline", "none", "underline"))
    ns = a.child(El("KwNavigateSub", CLASS))       # team decision 8
    p = ns.child(El("link", PSEUDO))
    p.set("COLOR", colour(regs["KwNavigate"]["subTextColor"]))
    p.set("TEXT-DECORATION", "none")
    for n in R:
        if n in ("KwRootNavigate", "KwNavigate", "KwStartNavigate",
                 "KwRootTop", "KwStartTop"):
            continue
        rec = regs[n]
        e = a.child(El(n, CLASS))
        link_set(e, "#FF0000", colour(rec["textColor"]),
                 colour(rec["textColor"]),
                 [("FONT-FAMILY", rec["fontFamily"]),
                  ("FONT-SIZE", px(rec["fontSize"])),
                  ("FONT-WEIGHT", rec["fontWeight"])],
                 ("none", "none", "underline"))

    # 8. second TH with A
    if not page["tableHeadLinkFont"]:
        page["tableHeadLinkFont"] = page["gridTitleFont"]
    th2 = root.child(El("TH", TAG))
    ta = th2.child(El("A", TAG))
    link_set(ta, "#FF0000", colour(page["tableHeadLinkColor"]),
             colour(page["tableHeadLinkHoverColor"]),
             [("FONT-FAMILY", page["tableHeadLinkFont"]),
              ("FONT-SIZE", px(page["tableHeadLinkSize"])),
              ("FONT-WEIGHT", page["tableHeadLinkWeight"])],
             ("underline", "none", "underline"))

    # 9. entry fields
    if doc["entryStyleFromCss"] or doc["buttonStylesLoaded"]:
        inp = root.child(El("INPUT", TAG))
        if doc["entryStyleFromCss"]:
            inp.set("COLOR", colour(page["entryForegroundColor"]))
            inp.set("BACKGROUND-COLOR", colour(page["entryBackgroundColor"]))
            inp.set("BORDER", entry_border(page))
            inp.set("FONT-FAMILY", app["fontFamily"])
        if doc["buttonStylesLoaded"] and not active:
            write_button_rules(inp, layout["buttons"])
        inp.child(El("KwCheckbox", CLASS)).set("BORDER", "none")
        inp.child(El("KwRadio", CLASS)).set("BORDER", "none")
        for tag in ("TEXTAREA", "SELECT"):
            e = root.child(El(tag, TAG))
            e.set("COLOR", colour(page["entryForegroundColor"]))
            e.set("BACKGROUND-COLOR", colour(page["entryBackgroundColor"]))
            e.set("BORDER", entry_border(page) if doc["entryStyleFromCss"] else "")
            e.set("FONT-FAMILY", app["fontFamily"])

    # 10. contributions of the regions
    save_extras(root, layout)

    # 11. unnamed block with MOUSE
    blk = root.child(El("", BLOCK))
    mouse = blk.child(El("MOUSE", TAG))
    nav = regs["KwNavigate"]
    for name, cin, cclk in (
            ("KwRootNavigate", regs["KwRootNavigate"]["hoverColor"],
             regs["KwRootNavigate"]["selectedColor"]),
            ("KwNavigate", nav["hoverColor"], nav["selectedColor"]),
            ("KwNavigateSub", nav["subHoverColor"], nav["subSelectedColor"]),
            ("KwStartNavigate", regs["KwStartNavigate"]["hoverColor"],
             regs["KwStartNavigate"]["selectedColor"]),
            ("A", page["linkHoverColor"], page["linkColor"]),
            ("TH", page["tableHeadLinkHoverColor"], page["tableHeadClickedColor"]),
            ("KwPortletHeader", page["portletLinkHoverColor"],
             page["portletHeaderClickedColor"])):
        e = mouse.child(El(name, CLASS))
        e.set("COLOR-IN", colour(cin))
        e.set("COLOR-CLICKED", colour(cclk))

    # 12. KwButtonStyles
    write_button_block(root, layout["buttons"])

    # 13. KwStyleAsp
    sa = root.child(El("KwStyleAsp", BLOCK))
    e = sa.child(El("Appearance", CLASS))
    for k, s in (("ShowInfoBar", "showInfoBar"), ("ShowLogo", "showLogo"),
                 ("ShowWelcomeText", "showWelcome"),
                 ("ShowAppInfo", "showAppInfoBar"),
                 ("ShowPicture", "showPicture"),
                 ("ShowSecLevNavRight", "menuRight"),
                 ("ShowTreeNavigation", "useTreeMenu")):
        e.set(k, b(sw[s]))
    e = sa.child(El("GlobalSearch", CLASS))
    for k, s in (("EnableGlobalSearch", "enableGlobalSearch"),
                 ("EnableAppSearch", "enableAppSearch"),
                 ("EnableAppSearchAno", "enableAppSearchAno"),
                 ("EnableEmplSearch", "enableEmplSearch"),
                 ("EnableEmplSearchAno", "enableEmplSearchAno")):
        e.set(k, b(sw[s]))
    e = sa.child(El("Header", CLASS))
    e.set("BulletBigPath", setting_picture(page["bulletBigPath"]))
    e.set("BulletSmallPath", setting_picture(page["bulletSmallPath"]))
    e = sa.child(El("EntryStyle", CLASS))
    e.set("EntrySelectionBackground", colour(page["entrySelectionBackgroundColor"]))
    e.set("EntrySelectionForeground", colour(page["entrySelectionForegroundColor"]))
    e.set("EntryBackground", colour(page["entryBackgroundColor"]))
    e.set("EntryForeground", colour(page["entryForegroundColor"]))
    e.set("RequiredImage", setting_picture(page["requiredImage"]))
    e = sa.child(El("TableStyle", CLASS))
    e.set("FirstRowColor", colour(page["firstRowColor"]))
    e.set("SecondRowColor", colour(page["secondRowColor"]))
    e = sa.child(El("PortletStyle", CLASS))
    e.set("FirstRowColor", colour(page["portletFirstRowColor"]))
    e.set("SecondRowColor", colour(page["portletSecondRowColor"]))
    e.set("ShowShadow", b(page["showPortletShadow"]))
    ms = sa.child(El("MenuStyles", CLASS))
    for cname, rname in (("Top", "KwRootNavigate"), ("2ndLevel", "KwNavigate"),
                         ("App", "KwStartNavigate")):
        rec = regs[rname]
        e = ms.child(El(cname, CLASS))
        e.set("ShowButtonEffect", b(rec["showButtonEffect"]))
        e.set("FieldOnFocusBorderColor", colour(rec["focusBorderColor"]))
        e.set("FieldOnFocusColor", colour(rec["focusColor"]))
        e.set("FieldOnClickBorderColor", colour(rec["clickBorderColor"]))
        e.set("FieldOnClickColor", colour(rec["clickColor"]))
        e.set("BorderStyle", border_style_value(rec["borderStyle"]))
        for k, f in (("ButtonImageNormal", "buttonImageNormal"),
                     ("ButtonImageSelect", "buttonImageSelect"),
                     ("ButtonImageMouse", "buttonImageMouse")):
            if rec[f]:
                e.set(k, setting_picture(rec[f]))
        e.set("ShowImageBeforeLink", b(rec["itemImage"] != ""))
        if rec["itemImage"]:
            e.set("ImageBeforeLinkPath", setting_picture(rec["itemImage"]))
        if cname != "2ndLevel" and rec["separatorImage"]:
            e.set("ImageBetweenLinkPath", setting_picture(rec["separatorImage"]))
        if cname == "2ndLevel":
            for k, f in (("CloseLeafs", "closeLeafsImage"),
                         ("OpenLeaf", "openLeafImage"),
                         ("ClosedLeaf", "closedLeafImage"),
                         ("LoginButton", "loginButtonImage")):
                if rec[f]:
                    e.set(k, setting_picture(rec[f]))
    return root


# --------------------------------------------------------------------------
# menu.css

MENU_REGION_LIST = ["KwRootNavigate", "KwNavigate", "KwStartNavigate",
                    "KwRootTop", "KwStartTop"]


def menu_tree(layout, with_region_rules=False):
    regs = layout["regions"]
    app = regs["KwApplication"]
    page = layout["page"]
    R = [n for n in qualifying(layout) if n in MENU_REGION_LIST]
    root = El("", 0)

    # 1. BODY
    body = root.child(El("BODY", TAG))
    for n in R:
        e = body.child(El(n, CLASS))
        e.set("BACKGROUND-COLOR", colour(regs[n]["backgroundColor"]))
        body_picture(e, regs[n])
        e.set("BORDER", "none")

    # 2. TD
    td = root.child(El("TD", TAG))
    td.set("COLOR", colour(app["textColor"]))
    td.set("FONT-FAMILY", app["fontFamily"])
    td.set("FONT-SIZE", px(app["fontSize"]))
    td.set("FONT-WEIGHT", app["fontWeight"])
    td.set("TEXT-ALIGN", "left")
    for n in R:
        if n == "KwPics":
            continue
        td_region(td.child(El(n, CLASS)), regs[n])

    # 3. A
    a = root.child(El("A", TAG))

    def four(parent, col_link, col_hover, fam, size, weight, effect,
             with_active=True):
        hover_deco = "none" if effect else "underline"
        rows = []
        if with_active:
            rows.append(("active", "#FF0000", "none"))
        rows += [("link", col_link, "none"), ("visited", col_link, "none"),
                 ("hover", col_hover, hover_deco)]
        for pname, col, deco in rows:
            p = parent.child(El(pname, PSEUDO))
            p.set("COLOR", col)
            p.set("FONT-FAMILY", fam)
            p.set("FONT-SIZE", px(size))
            p.set("FONT-WEIGHT", weight)
            p.set("TEXT-DECORATION", deco)

    for n in R:
        rec = regs[n]
        e = a.child(El(n, CLASS))
        hover = rec["hoverColor"] if n in (
            "KwRootNavigate", "KwNavigate", "KwStartNavigate") else rec["textColor"]
        four(e, colour(rec["textColor"]), colour(hover), rec["fontFamily"],
             rec["fontSize"], rec["fontWeight"], rec["showButtonEffect"])
        if n.lower() == "kwnavigate":
            s = a.child(El("KwNavigateSub", CLASS))
            four(s, colour(rec["subTextColor"]), colour(rec["subHoverColor"]),
                 rec["subFontFamily"], rec["subFontSize"], rec["subFontWeight"],
                 rec["showButtonEffect"], with_active=False)

    # 4. INPUT
    inp = root.child(El("INPUT", TAG))
    if layout["doc"]["entryStyleFromCss"]:
        inp.set("COLOR", colour(page["entryForegroundColor"]))
        inp.set("BACKGROUND-COLOR", colour(page["entryBackgroundColor"]))
        inp.set("BORDER", entry_border(page))
        inp.set("FONT-FAMILY", app["fontFamily"])

    # 5. the regions' contributions: the description of menu.css states that
    #    they add nothing to this tree (it has no top-level TABLE, TR or TH).
    #    The general statement of rules A, B and D says a missing TR / TH is
    #    created; --menu-with-region-rules writes that reading instead.
    if with_region_rules:
        save_extras(root, layout)
    return root


# --------------------------------------------------------------------------
# buttonstyles.css

def buttonstyles_tree(layout):
    root = El("", 0)
    inp = root.child(El("INPUT", TAG))
    if layout["doc"]["buttonStylesLoaded"]:
        write_button_rules(inp, layout["buttons"])
    return root


# --------------------------------------------------------------------------
# dump

def dump(root):
    lines = []

    def walk(el, depth):
        ind = "  " * depth
        lines.append("%s%s %s" % (ind, KIND_LETTER[el.kind],
                                  el.name if el.name else "(unnamed)"))
        for k, v in el.props:
            lines.append("%s  %s=%s" % (ind, k, v))
        for c in el.children:
            walk(c, depth + 1)

    for c in root.children:
        walk(c, 0)
    return "".join(l + "\n" for l in lines)


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write(text)


def main():
    with_rules = "--menu-with-region-rules" in sys.argv[1:]
    for name, make in (("default", gm.default_layout),
                       ("changed", gm.changed_layout)):
        d = os.path.join(HERE, name)
        write(os.path.join(d, "global.css.tree"),
              dump(layout_tree(make(), active=True)))
        # menu.css is built after global.css in the same save; building the
        # layout tree may have filled an empty tableHeadLinkFont, which no
        # element of menu.css uses.
        write(os.path.join(d, "menu.css.tree"), dump(menu_tree(make(), with_rules)))
        write(os.path.join(d, "buttonstyles.css.tree"),
              dump(buttonstyles_tree(make())))
        if name == "changed":
            write(os.path.join(d, "named.kwc.tree"),
                  dump(layout_tree(make(), active=False)))
            write(os.path.join(d, "fields.txt"), gm.fields_txt())


if __name__ == "__main__":
    main()
