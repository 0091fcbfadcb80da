// Programs of the RorozEdedod grammar with the XML programs its rules give, written from the rules.
#include "tests/report/script/ScriptFixture.h"

namespace {

using scripttest::ScriptTest;

TEST_F(ScriptTest, RorozEdedodDeclarations)
{
    ExpectPrograms("RorozEdedod", {
        {"Imports \"a\", \"b\"\r\n", "program(compoundstmt(uses uses))"},
        {"Dim a, b As Integer, c[3] As String = \"x\", d[1, 2], e = 5\r\n",
         "program(compoundstmt(var(ident=a) var(ident=b type=Integer) var(ident=c array(dim(expr(number=3))) "
         "type=String init(expr(string='x'))) var(ident=d array(dim(expr(number=1)) dim(expr(number=2)))) "
         "var(ident=e init(expr(number=5)))))"},
        {"Sub P(ByRef a, ByVal b As Integer, c = 1)\r\n  a = b\r\nEnd Sub\r\n"
         "Function F(x) As Boolean\r\n  Return x > 0\r\nEnd Function\r\n",
         "program(compoundstmt(procedure(name=P parameters(varparams var(ident=a) var(ident=b type=Integer) "
         "var(ident=c init(expr(number=1)))) compoundstmt(assignstmt(dsgn(node=a) expr(dsgn(node=b)))) exit) "
         "function(name=F parameters(var(ident=x)) type=Boolean compoundstmt(return(expr(dsgn(node=x) op=> "
         "number=0))) exit)))"},
        // The wrapper of a report expression, as a script's lines give it.
        {"function fr3f1\r\nreturn 1 + 2\r\nend function\r\n",
         "program(compoundstmt(function(name=fr3f1 compoundstmt(return(expr(number=1 op=+ number=2))) exit)))"},
        // Comments of both markers, a continuation line and ':' separators.
        {"' comment line\r\nrem another\r\nx = 1 + _\r\n  2 : y = 3\r\n/\\ block /\\\r\n",
         "program(compoundstmt(assignstmt(dsgn(node=x) expr(number=1 op=+ number=2)) "
         "assignstmt(dsgn(node=y) expr(number=3))))"},
        // "Set x = y" is one plain assignment.
        {"Set y = New T(1)\r\n",
         "program(compoundstmt(assignstmt(dsgn(node=y) expr(new(dsgn(node=T expr(number=1)))))))"},
    });
}

TEST_F(ScriptTest, RorozEdedodExpressions)
{
    ExpectPrograms("RorozEdedod", {
        {"x = -a + b - c & d Or e Xor f\r\n",
         "program(compoundstmt(assignstmt(dsgn(node=x) expr(op=unminus dsgn(node=a) op=+ dsgn(node=b) op=- "
         "dsgn(node=c) op=strcat dsgn(node=d) op=or dsgn(node=e) op=xor dsgn(node=f)))))"},
        {"y = a * b / c \\ d Mod e And f\r\n",
         "program(compoundstmt(assignstmt(dsgn(node=y) expr(dsgn(node=a) op=* dsgn(node=b) op=/ dsgn(node=c) "
         "op=div dsgn(node=d) op=mod dsgn(node=e) op=and dsgn(node=f)))))"},
        {"z = (a >= b) <> (a <= b)\r\nw = Not (a > b) = (a < b)\r\n",
         "program(compoundstmt(assignstmt(dsgn(node=z) expr(op=( expr(dsgn(node=a) op=>= dsgn(node=b)) op=) op=<> "
         "op=( expr(dsgn(node=a) op=<= dsgn(node=b)) op=))) assignstmt(dsgn(node=w) expr(op=not op=( "
         "expr(dsgn(node=a) op=> dsgn(node=b)) op=) op== op=( expr(dsgn(node=a) op=< dsgn(node=b)) op=)))))"},
        {"v = a In [1, 2..5] : u = a Is T\r\n",
         "program(compoundstmt(assignstmt(dsgn(node=v) expr(dsgn(node=a) op=in set(expr(number=1) expr(number=2) "
         "range=. expr(number=5)))) assignstmt(dsgn(node=u) expr(dsgn(node=a) op=is dsgn(node=T)))))"},
        {"x = AddressOf a.b[1, 2](3).c\r\nf()\r\ng\r\nz = <Orders.Total> + 0x1F + \"s\"\r\n",
         "program(compoundstmt(assignstmt(dsgn(node=x) expr(dsgn(addr=AddressOf node=a node=b node=[ "
         "expr(number=1) expr(number=2) expr(number=3) node=c))) callstmt(dsgn(node=f)) callstmt(dsgn(node=g)) "
         "assignstmt(dsgn(node=z) expr(dsgn(node=Get expr(string='Orders.Total')) op=+ number=$1F op=+ "
         "string='s'))))"},
    });
}

TEST_F(ScriptTest, RorozEdedodStatements)
{
    ExpectPrograms("RorozEdedod", {
        {"If a Then b = 1 : c = 2\r\n",
         "program(compoundstmt(ifstmt(expr(dsgn(node=a)) thenstmt(assignstmt(dsgn(node=b) expr(number=1)) "
         "assignstmt(dsgn(node=c) expr(number=2))))))"},
        {"If a Then\r\n  b = 1\r\nElseIf c Then\r\n  d = 2\r\nElse\r\n  e = 3\r\nEnd If\r\n",
         "program(compoundstmt(ifstmt(expr(dsgn(node=a)) thenstmt(compoundstmt(assignstmt(dsgn(node=b) "
         "expr(number=1)))) elsestmt(ifstmt(expr(dsgn(node=c)) thenstmt(compoundstmt(assignstmt(dsgn(node=d) "
         "expr(number=2)))) elsestmt(compoundstmt(assignstmt(dsgn(node=e) expr(number=3)))))))))"},
        // An empty then-part gives no thenstmt.
        {"If a Then\r\nEnd If\r\n", "program(compoundstmt(ifstmt(expr(dsgn(node=a)))))"},
        {"Select Case x\r\nCase 1, 2:\r\n  y = 1\r\nCase Else:\r\n  y = 2\r\nEnd Select\r\n",
         "program(compoundstmt(casestmt(expr(dsgn(node=x)) caseselector(set(expr(number=1) expr(number=2)) "
         "compoundstmt(assignstmt(dsgn(node=y) expr(number=1)))) compoundstmt(assignstmt(dsgn(node=y) "
         "expr(number=2))))))"},
        {"Do\r\n  a = a + 1\r\nLoop Until a > 5\r\nDo\r\n  b = 1\r\nLoop While b < 3\r\n",
         "program(compoundstmt(repeatstmt(compoundstmt(assignstmt(dsgn(node=a) expr(dsgn(node=a) op=+ number=1))) "
         "expr(dsgn(node=a) op=> number=5)) repeatstmt(compoundstmt(assignstmt(dsgn(node=b) expr(number=1))) "
         "expr(dsgn(node=b) op=< number=3) inverse=)))"},
        {"While a < 3\r\n  a = a + 1\r\nWend\r\nFor i = 1 To 10 Step 2\r\n  a(i)\r\nNext\r\n",
         "program(compoundstmt(whilestmt(expr(dsgn(node=a) op=< number=3) compoundstmt(assignstmt(dsgn(node=a) "
         "expr(dsgn(node=a) op=+ number=1)))) vbforstmt(ident=i expr(number=1) expr(number=10) expr(number=2) "
         "compoundstmt(callstmt(dsgn(node=a expr(dsgn(node=i))))))))"},
        {"Try\r\n  a()\r\nCatch\r\n  b()\r\nEnd Try\r\nTry\r\n  c()\r\nFinally\r\n  d()\r\nEnd Try\r\n",
         "program(compoundstmt(trystmt(compoundstmt(callstmt(dsgn(node=a))) "
         "exceptstmt(compoundstmt(callstmt(dsgn(node=b))))) trystmt(compoundstmt(callstmt(dsgn(node=c))) "
         "finallystmt(compoundstmt(callstmt(dsgn(node=d)))))))"},
        {"With a.b\r\n  c()\r\nEnd With\r\n",
         "program(compoundstmt(with(dsgn(node=a node=b) compoundstmt(callstmt(dsgn(node=c))))))"},
        {"Delete p\r\nReturn x\r\nBreak : Continue : Exit\r\nx += 1 : x -= 1 : x *= 2 : x /= 2\r\nn++ : n--\r\n",
         "program(compoundstmt(delete(dsgn(node=p)) return(expr(dsgn(node=x))) break continue exit "
         "assignstmt(dsgn(node=x) modificator=+ expr(number=1)) assignstmt(dsgn(node=x) modificator=- "
         "expr(number=1)) assignstmt(dsgn(node=x) modificator=* expr(number=2)) assignstmt(dsgn(node=x) "
         "modificator=/ expr(number=2)) callstmt(dsgn(node=n) modificator=+) callstmt(dsgn(node=n) "
         "modificator=-)))"},
    });
}

}  // namespace
