"""The live view's page in headless Chromium, driven over its debugging pipe while the real
program records answers: each answer must reach the page within a second of reaching the class
file; "New question" starts the count and the word view again; a click hides a line and shows
it again; markup shows as text; a request without the key, or for another host, is refused.
Hands the student's side over to the shell through flag files in the folder given.
Arguments: the address printed, the class file, the folder for flags, the screenshot's file."""
import atexit, base64, json, os, subprocess, sys, tempfile, time, urllib.error, urllib.request

address, class_file, flags, screenshot = sys.argv[1:5]


def fail(why):
    sys.exit("FAIL: " + why)


def status_of(url, headers={}):
    try:
        return urllib.request.urlopen(urllib.request.Request(url, headers=headers), timeout=5).status
    except urllib.error.HTTPError as refused:
        return refused.code


host = address.split("/")[2]
if status_of(address.rsplit("/", 2)[0] + "/lines") != 404: fail("a request without the key is answered")
if status_of(address, {"Host": "classjournal.example:" + host.split(":")[1]}) != 403: fail("another host is served")


class Page:
    def __init__(self):
        to_chromium, self.to_pipe = os.pipe()
        self.from_pipe, from_chromium = os.pipe()
        def pipes():
            os.dup2(to_chromium, 3)
            os.dup2(from_chromium, 4)
            os.set_inheritable(3, True)
            os.set_inheritable(4, True)
        sandbox = ["--no-sandbox"] if os.getuid() == 0 else []
        self.chromium = subprocess.Popen(
            ["chromium", "--headless", *sandbox, "--disable-gpu", "--no-first-run", "--disable-background-networking",
             "--disable-component-update", "--disable-sync", "--remote-debugging-pipe", "--window-size=1280,800",
             "--user-data-dir=" + tempfile.mkdtemp(dir=flags)],
            preexec_fn=pipes, close_fds=False, stderr=open(os.path.join(flags, "chromium.log"), "w"))
        atexit.register(self.chromium.kill)
        self.id, self.buffer, self.session = 0, b"", None
        target = self.send("Target.createTarget", url=address)["targetId"]
        self.session = self.send("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        wait("the page", lambda: self.eval("location.href + document.readyState") == address + "complete", 10)

    def send(self, method, **params):
        self.id += 1
        message = {"id": self.id, "method": method, "params": params}
        if self.session: message["sessionId"] = self.session
        os.write(self.to_pipe, json.dumps(message).encode() + b"\0")
        while True:
            while b"\0" not in self.buffer:
                chunk = os.read(self.from_pipe, 1 << 16)
                if not chunk: fail("Chromium went away")
                self.buffer += chunk
            reply, _, self.buffer = self.buffer.partition(b"\0")
            reply = json.loads(reply)
            if reply.get("id") == self.id:
                if "error" in reply: fail(method + ": " + str(reply["error"]))
                return reply["result"]

    def eval(self, expression):
        return self.send("Runtime.evaluate", expression=expression, returnByValue=True)["result"].get("value")

    def wall(self):
        return self.eval("[...document.querySelectorAll('#wall li')].map(li => [li.className, li.textContent])")

    def words(self):
        return self.eval("[...document.querySelectorAll('#words span')].map(span => span.textContent)")


def wait(what, check, seconds=60, shown=lambda: ""):
    deadline = time.monotonic() + seconds
    while not check():
        if time.monotonic() > deadline: fail("gave up waiting for " + what + shown())
        time.sleep(0.01)


def expect_on_wall(page, answer, lines):
    """Waits for the answer to reach the class file as its line number lines, then for the page."""
    def in_file():
        with open(class_file, "rb") if os.path.exists(class_file) else open(os.devnull, "rb") as file:
            return file.read().count(b"\r\n") >= lines
    wait("answer " + answer + " in the class file", in_file)
    arrived = time.monotonic()
    wait("answer " + answer + " on the page", lambda: ["", answer] in page.wall(), 5,
         lambda: "; the wall holds " + str(page.wall()))
    took = time.monotonic() - arrived
    print(f"{answer!r} on the page {took:.3f} s after it reached the class file")
    if took > 1: fail(answer + " took longer than a second")


page = Page()
expect_on_wall(page, "alpha beta", 1)
expect_on_wall(page, "alpha gamma", 2)
if page.words() != ["alpha", "beta", "gamma"]: fail("the word view shows " + str(page.words()))
page.eval("document.getElementById('new').click()")
if not page.eval("document.getElementById('count').textContent").startswith("0 answers"): fail("the count goes on")
open(os.path.join(flags, "new-question"), "w").close()
markup = "<b>delta</b> & delta"
expect_on_wall(page, markup, 3)
if page.eval("document.querySelector('#wall b')") is not None: fail("markup became markup")
if page.wall()[1][0] != "divider": fail("no divider under the new question's answer")
if not page.eval("document.getElementById('count').textContent").startswith("1 answer "): fail("wrong count")
if page.words() != ["delta"]: fail("the word view holds the earlier question: " + str(page.words()))
for hidden, words in ((True, []), (False, ["delta"])):
    page.eval("document.querySelector('#wall li').click()")
    if (page.wall()[0][0] == "hidden") != hidden or page.words() != words: fail("hiding does not work")
image = page.send("Page.captureScreenshot", format="png")["data"]
with open(screenshot, "wb") as file: file.write(base64.b64decode(image))
