<?php
// index.php: PHP keywords in any case
$items = array("a", "b");
FOREACH ($items as $item) {
    echo "<li>$item</li>"; // a comment ?> still a comment
}
/* a block comment left open
   ends at the empty line

$total = 1; /* closed */ $n = 2;
function greet($name) { return "Hi " . $name; }
?>
<ul>
  <li><?= greet("you") ?></li>
</ul>
<?php if ($x) { print 'single quotes are text'; } ?>
<input type="checkbox" <?php
if ($on) echo "checked"; ?>>
