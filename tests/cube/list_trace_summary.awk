# Reads the text dump of a cube trace (apitrace dump --call-nos=no
# --arg-names=no) and prints it in a form small enough to keep: every GL
# call outside the point list as it is (GLX calls, empty lines and comments
# left out), and for the list its few framing calls, the calls of five
# chosen points, and the outcome of checking every point's call order,
# vertex and colour. The list's 50 million calls are never stored.
function check_point(name, args,    a, p, i, j, k, ok) {
    p = int(calls / 3)
    i = int(p / 65536); j = int(p / 256) % 256; k = p % 256
    split(args, a, ", ")
    if (name == "glVertex3d")
        ok = a[1] + 0 == i / 256 && a[2] + 0 == j / 256 && a[3] + 0 == k / 256
    else
        ok = a[1] + 0 == j / 256 && a[2] + 0 == k / 256 && a[3] + 0 == i / 256
    if (!ok && fault == "")
        fault = "point " p ": " name "(" args ")"
}
/^glX/ || /^$/ || /^\/\// { next }
/^glNewList\(/ { print; in_list = 1; calls = 0; fault = ""; next }
in_list && /^gl(Normal|Color|Vertex)3d\(/ {
    open = index($0, "(")
    name = substr($0, 1, open - 1)
    args = substr($0, open + 1, length($0) - open - 1)
    step = calls % 3
    want = step == 0 ? "glNormal3d" : step == 1 ? "glColor3d" : "glVertex3d"
    if (name != want && fault == "")
        fault = "call " calls " of the list is " name
    else if (step != 0)
        check_point(name, args)
    p = int(calls / 3)
    if (p == 0 || p == 1 || p == 256 || p == 65536 || p == 16777215)
        print "point " p " " $0
    ++calls
    next
}
in_list && /^glEndList\(/ {
    print "points " calls / 3
    print "order " (fault == "" && calls % 3 == 0 ? "ok" : fault)
    print
    in_list = 0
    next
}
in_list { print "in list: " $0; next }
{ print }
